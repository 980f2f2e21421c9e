// stonewise-cli cloud list: the cloud registry of a data folder, its folders, files and file times.
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "mailgo/CloudRegistryFile.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise::cli {

namespace {

std::string timeText(const CloudTime& t) {
    if (t.empty()) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

void listFolder(const CloudRegistry& registry, const CloudFolder& folder, std::ostream& out) {
    out << "folder " << folder.number << "\t" << toUtf8(folder.path) << "\n";
    for (std::size_t slot = 0; slot < folder.files.size(); ++slot) {
        const CloudFileEntry& e = folder.files[slot];
        const CloudFileId id = cloudFileId(folder.number, static_cast<int>(slot), e.generation);
        out << "\t" << id << "\t" << (e.deleted() ? "deleted" : timeText(registry.time(e.timeSlot))) << "\t"
            << (e.name ? toUtf8(*e.name) : std::string()) << "\n";
    }
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    if (!folder || args.size() != 1 || args[0] != "list") {
        err << "usage: stonewise-cli cloud list [--data DIR]\n";
        return 2;
    }
    StoreMessages messages;
    const CloudRegistry registry = loadCloudRegistry(*folder, StringTable::japanese(), messages);
    for (const auto& f : registry.folders())
        if (f) listFolder(registry, *f, out);
    out << "time records: " << registry.timeCount() << "\n";
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    return messages.empty() ? 0 : 1;
}

} // namespace

CliCommand cloudCommand() {
    return {"cloud", "cloud list [--data DIR]",
            "Lists the cloud folders of the data folder with their next-move files: identifier (as a game keeps it), "
            "last write time seen (UTC) and name (--data: another data folder)",
            &run};
}

} // namespace stonewise::cli
