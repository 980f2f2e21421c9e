#include "book/BookLibrary.h"

#include <dirent.h>

#include <algorithm>

#include "book/Book.h"
#include "book/BookFormat.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"

namespace stonewise {

namespace {

constexpr std::string_view kBookExtension = ".GOBOOK";
// The largest book file copied into the book folder.
constexpr std::size_t kMaxBookCopy = std::size_t{1} << 30;

// The names of the book files in a folder, in name order.
std::vector<std::string> bookFileNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* d = readdir(dir)) {
        const std::string name = d->d_name;
        if (name.size() > kBookExtension.size() && name.ends_with(kBookExtension)) names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<BookListEntry> listEntry(const std::string& path, const std::string& name) {
    std::unique_ptr<FileBookBytes> file = FileBookBytes::open(path);
    if (!file) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> head = file->read(0, kBookHeaderSize);
    std::optional<BookHeader> h = head ? decodeBookHeader(*head) : std::nullopt;
    if (!h) return std::nullopt;
    BookListEntry e;
    e.enciphered = h->enciphered;
    e.flags = static_cast<std::uint8_t>(h->flags | (h->readsRecords() ? 0x10 : 0));
    e.fileName = name;
    e.title = h->title;
    e.valueA = h->valueA;
    e.valueB = h->valueB;
    e.valueC = h->valueC;
    e.hasAudio = h->place(BookArray::Audio).count != 0 && pathExists(bookAudioPath(path)) ? 1 : 0;
    e.speed = h->speed;
    return e;
}

} // namespace

std::string BookListEntry::identifier() const {
    return fileName.ends_with(kBookExtension) ? fileName.substr(0, fileName.size() - kBookExtension.size()) : fileName;
}

BookLibrary::BookLibrary(const DataFolder& data) : m_folder(data.file("BookFolder/")) {}

bool BookLibrary::prepareFolders(const std::string& identifier) const {
    bool existed = isFolder(m_folder);
    makeFolder(m_folder);
    if (!identifier.empty()) {
        const std::string own = m_folder + identifier;
        existed = existed && isFolder(own);
        makeFolder(own);
    }
    return existed;
}

int BookLibrary::installFrom(const std::string& folder) const {
    prepareFolders();
    const std::string from = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    int copied = 0;
    for (const std::string& name : bookFileNames(from)) {
        if (pathExists(m_folder + name)) continue;
        std::optional<std::vector<std::uint8_t>> book = readWholeFile(from + name, kMaxBookCopy);
        if (!book || !writeFileAtomically(m_folder + name, *book, Durability::Process)) continue;
        const std::string audio = bookAudioPath(name);
        if (std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(from + audio, kMaxBookCopy))
            writeFileAtomically(m_folder + audio, *bytes, Durability::Process);
        ++copied;
    }
    return copied;
}

int BookLibrary::list() {
    prepareFolders();
    m_entries.clear();
    for (const std::string& name : bookFileNames(m_folder)) {
        if (static_cast<int>(m_entries.size()) >= kMaxListedBooks) break;
        std::optional<BookListEntry> e = listEntry(m_folder + name, name);
        if (!e) continue;
        e->position = static_cast<std::uint16_t>(m_entries.size());
        m_entries.push_back(std::move(*e));
    }
    return static_cast<int>(m_entries.size());
}

std::string BookLibrary::audioPath(const BookListEntry& e) const { return bookAudioPath(bookPath(e)); }

std::string BookLibrary::workingFolder(const BookListEntry& e, BookSide side) const {
    return ownFolder(e) + (side == BookSide::Main ? "Temp/" : "Temp1/");
}

std::string BookLibrary::piecePath(const BookListEntry& e, int kind, const std::string& fileName) const {
    const std::string folder = pieceFolderName(kind);
    return ownFolder(e) + (folder.empty() ? "" : folder + "/") + fileName;
}

std::string BookLibrary::extractAudio(const BookListEntry& e, const Book& book, int entry, BookSide side) const {
    const int piece = book.audioPieceNumber(entry);
    std::optional<std::vector<std::uint8_t>> bytes = book.audioPiece(entry);
    if (piece < 0 || !bytes) return {};
    prepareFolders(e.identifier());
    const std::string folder = workingFolder(e, side);
    if (!makeFolder(folder)) return {};
    const std::string path = folder + pieceFileName(static_cast<int>(PieceKind::Audio), piece);
    return writeFileAtomically(path, *bytes, Durability::Process) ? path : std::string();
}

bool BookLibrary::clearWorkingFolder(const BookListEntry& e, BookSide side) const {
    const std::string folder = workingFolder(e, side);
    return !isFolder(folder) || emptyFolder(folder);
}

bool BookLibrary::removeBook(std::size_t position) {
    if (position >= m_entries.size()) return false;
    const BookListEntry e = m_entries[position];
    bool ok = removeFile(bookPath(e));
    ok = removeFile(audioPath(e)) && ok;
    const std::string own = ownFolder(e);
    if (isFolder(own)) ok = emptyFolder(own) && removeFolder(own) && ok;
    m_entries.erase(m_entries.begin() + static_cast<long>(position));
    for (std::size_t i = 0; i < m_entries.size(); ++i) m_entries[i].position = static_cast<std::uint16_t>(i);
    return ok;
}

bool BookLibrary::removeAudio(std::size_t position) {
    if (position >= m_entries.size()) return false;
    BookListEntry& e = m_entries[position];
    if (!removeFile(audioPath(e))) return false;
    e.hasAudio = 0;
    return true;
}

} // namespace stonewise
