#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stonewise {

class Book;
class DataFolder;

// One installed book as the book list shows it.
struct BookListEntry {
    std::uint16_t position = 0;
    std::uint8_t enciphered = 0; // header byte 324
    std::uint8_t flags = 0;      // header byte 326, with 0x10 for a book whose arrays are records
    std::string fileName;        // "NAME.GOBOOK"
    std::u16string title;
    std::uint32_t valueA = 0; // header bytes 292, 296 and 304
    std::uint32_t valueB = 0;
    std::uint32_t valueC = 0;
    std::uint16_t hasAudio = 0; // the header's audio count is not zero
    std::uint16_t state = 0;
    std::uint16_t speed = 0; // header byte 312

    // The book's identifier: its file name without the extension; it names the book's own folder.
    std::string identifier() const;
    bool operator==(const BookListEntry&) const = default;
};

// The player a working folder belongs to.
enum class BookSide { Main, Study };

// The books of a data folder: "BookFolder" with the book files, their audio companions and one
// folder per book for its answers and working files.
class BookLibrary {
public:
    explicit BookLibrary(const DataFolder& data);

    // "BookFolder/" in the data folder.
    const std::string& folder() const { return m_folder; }
    // Creates "BookFolder" and, given an identifier, the book's own folder; true when they all
    // existed already.
    bool prepareFolders(const std::string& identifier = {}) const;
    // Copies the books of `folder` (".GOBOOK" files and their ".GOADIO" companions) into
    // "BookFolder", leaving books already there alone; returns how many were copied.
    int installFrom(const std::string& folder) const;
    // Scans "BookFolder" for "*.GOBOOK" files whose 512-byte header has a book's magic, in name
    // order, at most 1023; returns how many were found.
    int list();
    const std::vector<BookListEntry>& entries() const { return m_entries; }

    // The paths of a book's file, audio file, own folder and a working folder.
    std::string bookPath(const BookListEntry& e) const { return m_folder + e.fileName; }
    std::string audioPath(const BookListEntry& e) const;
    std::string ownFolder(const BookListEntry& e) const { return m_folder + e.identifier() + "/"; }
    std::string workingFolder(const BookListEntry& e, BookSide side) const;
    // The installed path of a piece: the kind's folder in the book's own folder, or the own folder.
    std::string piecePath(const BookListEntry& e, int kind, const std::string& fileName) const;

    // Writes the audio piece of an index entry into the side's working folder ("audio%05d.mp3" by
    // its piece number), replacing a file of that name; the file's path, or "" when reading or
    // writing failed (nothing is then written).
    std::string extractAudio(const BookListEntry& e, const Book& book, int entry, BookSide side) const;
    // Deletes every file in the side's working folder.
    bool clearWorkingFolder(const BookListEntry& e, BookSide side) const;
    // Deletes the book file, its audio file and its own folder with everything in it, and drops
    // the entry from the list; false when something stayed.
    bool removeBook(std::size_t position);
    // Deletes the audio file of a book; the book stays readable without sound.
    bool removeAudio(std::size_t position);

private:
    std::string m_folder;
    std::vector<BookListEntry> m_entries;
};

} // namespace stonewise
