#include "app/CloudSettingsForm.h"

#include "app/ProgramDialogs.h"
#include "app/Ui.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr int kStrAllFiles = 25009;

// The game's name as a file name: characters file systems refuse become "_".
std::u16string fileNameOf(std::u16string_view name) {
    std::u16string out(name.empty() ? u"game" : name);
    for (char16_t& c : out)
        if (c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos) c = u'_';
    return out;
}

} // namespace

CloudSettingsForm::CloudSettingsForm(CloudRegistry& registry, CloudFileId file, bool alsoMail, std::u16string gameName,
                                     Ui* ui, const StringTable* strings, std::string startFolder)
    : m_registry(registry), m_file(registry.entry(file) ? file : kNoCloudFile), m_alsoMail(alsoMail),
      m_gameName(std::move(gameName)), m_ui(ui), m_strings(strings), m_startFolder(std::move(startFolder)) {}

std::u16string CloudSettingsForm::text(int id) const {
    return std::u16string(m_strings ? m_strings->find(id).value_or(u"") : uiText(id));
}

std::u16string CloudSettingsForm::folderText() const {
    const CloudFileEntry* entry = m_registry.entry(m_file);
    const CloudFolder* folder = entry ? m_registry.folder(entry->folder) : nullptr;
    return folder ? folder->path : std::u16string();
}

std::u16string CloudSettingsForm::fileText() const {
    const CloudFileEntry* entry = m_registry.entry(m_file);
    return entry && entry->name ? *entry->name : std::u16string();
}

void CloudSettingsForm::createFile() {
    if (!m_ui) return;
    SaveFileRequest request;
    request.title = text(kStrCloudNewFile);
    request.folder = m_startFolder;
    request.proposedName = fileNameOf(m_gameName) + u".nextmove";
    request.filters = {{text(kStrCloudMailFiles), {u"*.nextmove"}}, {text(kStrAllFiles), {u"*"}}};
    const std::optional<std::string> path = m_ui->chooseFileToSave(request);
    if (!path) return;
    std::string chosen = *path;
    if (const std::size_t slash = chosen.rfind('/');
        chosen.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos)
        chosen += ".nextmove";
    take(chosen);
}

void CloudSettingsForm::referToFile() {
    if (!m_ui) return;
    OpenFilesRequest request;
    request.title = text(kStrCloudExistingFile);
    const std::u16string folder = folderText();
    request.folder = folder.empty() ? m_startFolder : toUtf8(folder);
    request.filters = {{text(kStrCloudNextMoveFiles), {u"*.nextmove"}}, {text(kStrAllFiles), {u"*"}}};
    const std::vector<std::string> paths = m_ui->chooseFilesToOpen(request);
    if (!paths.empty()) take(paths.front());
}

void CloudSettingsForm::take(const std::string& path) {
    const CloudRegistry::Registered registered = m_registry.registerFile(fromUtf8(path));
    if (registered.id == kNoCloudFile) {
        if (m_ui) m_ui->showMessage(text(kStrCloudCannotRegister), text(kStrCloudSettingsTitle));
        return;
    }
    if (registered.created) m_created.push_back(registered.id);
    m_file = registered.id;
}

void CloudSettingsForm::cancel() {
    for (CloudFileId id : m_created) m_registry.dropFile(id);
    m_created.clear();
}

} // namespace stonewise
