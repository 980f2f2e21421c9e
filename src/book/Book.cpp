#include "book/Book.h"

#include <set>

#include "record/RecordSequence.h"
#include "store/GameFile.h"

namespace stonewise {

namespace {

// The most an array is read from: far beyond what 65,535 records of a book take.
constexpr std::uint64_t kMaxArrayBytes = 16u << 20;

template <typename T>
const T* slot(const BookTable<T>& table, std::uint64_t n) {
    return n < table.size() && table[n] ? &*table[n] : nullptr;
}

} // namespace

std::string bookAudioPath(const std::string& bookPath) {
    const std::size_t slash = bookPath.rfind('/');
    const std::size_t dot = bookPath.rfind('.');
    const std::string base =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) ? bookPath.substr(0, dot) : bookPath;
    return base + ".GOADIO";
}

std::u16string textFromUtf16(const std::vector<std::uint8_t>& bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0) break;
        out.push_back(c);
    }
    return out;
}

std::unique_ptr<Book> Book::openFile(const std::string& path, bool loadContents, BookOpenStatus& status) {
    std::unique_ptr<BookBytes> file = FileBookBytes::open(path);
    if (!file) {
        status = BookOpenStatus::Missing;
        return nullptr;
    }
    return open(std::move(file), loadContents ? FileBookBytes::open(bookAudioPath(path)) : nullptr, loadContents,
                status);
}

std::unique_ptr<Book> Book::open(std::unique_ptr<BookBytes> file, std::unique_ptr<BookBytes> audio, bool loadContents,
                                 BookOpenStatus& status) {
    std::optional<std::vector<std::uint8_t>> head = file->read(0, kBookHeaderSize);
    std::optional<BookHeader> header = head ? decodeBookHeader(*head) : std::nullopt;
    if (!header) {
        status = BookOpenStatus::NotBook;
        return nullptr;
    }
    if (header->enciphered != 0) {
        status = BookOpenStatus::Enciphered;
        return nullptr;
    }
    if (header->check != kBookCheckValue) {
        status = BookOpenStatus::Unchecked;
        return nullptr;
    }
    std::unique_ptr<Book> book(new Book);
    book->m_file = std::move(file);
    book->m_audio = std::move(audio);
    book->m_header = *header;
    if (!book->m_audio) book->m_header.place(BookArray::Audio).count = 0;
    if (loadContents) book->loadArrays();
    else book->countArrays();
    status = BookOpenStatus::Ok;
    return book;
}

void Book::countArrays() {
    for (BookArray a : {BookArray::Index, BookArray::Kifu}) {
        const BookArrayPlace& p = m_header.place(a);
        const int n = p.count ? countArrayElements(m_file->readUpTo(p.offset, kMaxArrayBytes)) : 0;
        m_contents.counts[static_cast<std::size_t>(a)] = n;
    }
}

void Book::loadArrays() {
    auto bytesOf = [this](BookArray a) {
        const BookArrayPlace& p = m_header.place(a);
        return p.count ? m_file->readUpTo(p.offset, kMaxArrayBytes) : std::vector<std::uint8_t>();
    };
    for (int a = 0; a < kBookArrayCount; ++a) {
        const auto array = static_cast<BookArray>(a);
        const std::vector<std::uint8_t> bytes = bytesOf(array);
        if (bytes.empty()) continue;
        int& count = m_contents.counts[static_cast<std::size_t>(a)];
        if (!m_header.readsRecords()) {
            count = countArrayElements(bytes);
            continue;
        }
        switch (array) {
        case BookArray::Index: count = static_cast<int>((m_contents.index = readIndexArray(bytes)).size()); break;
        case BookArray::Desc: count = static_cast<int>((m_contents.desc = readDescArray(bytes)).size()); break;
        case BookArray::DescText: count = static_cast<int>((m_contents.descText = readPieceArray(bytes)).size()); break;
        case BookArray::Kifu: count = static_cast<int>((m_contents.kifu = readKifuArray(bytes)).size()); break;
        case BookArray::Image: count = static_cast<int>((m_contents.image = readPieceArray(bytes)).size()); break;
        case BookArray::Audio:
            if (m_audio) count = static_cast<int>((m_contents.audio = readPieceArray(bytes)).size());
            break;
        case BookArray::Appendix:
            count = static_cast<int>((m_contents.appendix = readAppendixArray(bytes)).size());
            break;
        }
    }
}

std::optional<std::vector<std::uint8_t>> Book::readData(std::uint64_t position, std::uint64_t length) const {
    return m_file->read(std::uint64_t{m_header.dataBase} + position, length);
}

std::optional<std::u16string> Book::entryText(int entry) const {
    std::u16string text;
    std::set<int> seen;
    const BookIndexRecord* r = entry >= 0 ? slot(m_contents.index, static_cast<std::uint64_t>(entry)) : nullptr;
    if (!r) return std::nullopt;
    while (r && seen.insert(r->position).second) {
        if (r->textLength) {
            std::optional<std::vector<std::uint8_t>> piece = readData(r->textPosition, r->textLength);
            if (!piece) return std::nullopt;
            text += textFromUtf16(*piece);
        }
        r = r->link >= 0 ? slot(m_contents.index, static_cast<std::uint64_t>(r->link)) : nullptr;
    }
    return text;
}

std::optional<std::u16string> Book::descText(std::uint32_t piece) const {
    const BookPieceRecord* r = slot(m_contents.descText, piece);
    if (!r) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = readData(r->value1, r->value2);
    if (!bytes) return std::nullopt;
    return textFromUtf16(*bytes);
}

std::optional<BookPicture> Book::picture(std::uint32_t number) const {
    const BookPieceRecord* r = slot(m_contents.image, number);
    if (!r) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = readData(r->value1, r->pictureLength());
    if (!bytes) return std::nullopt;
    return BookPicture{std::move(*bytes), r->pictureIsBmp()};
}

std::optional<std::vector<std::uint8_t>> Book::gameBlock(std::uint32_t number) const {
    const BookKifuRecord* r = slot(m_contents.kifu, number);
    if (!r) return std::nullopt;
    return readData(r->blockPosition, r->length());
}

std::unique_ptr<RecordSequence> Book::game(std::uint32_t number) const {
    std::optional<std::vector<std::uint8_t>> block = gameBlock(number);
    if (!block) return nullptr;
    GameFileRead read = decodeGameFile(*block);
    return read.status == StoreReadStatus::Ok ? std::move(read.main) : nullptr;
}

int Book::audioPieceNumber(int entry) const {
    const BookIndexRecord* r = entry >= 0 ? slot(m_contents.index, static_cast<std::uint64_t>(entry)) : nullptr;
    return r && hasAudio() ? r->audioPiece() : -1;
}

std::optional<std::vector<std::uint8_t>> Book::audioPiece(int entry) const {
    const int piece = audioPieceNumber(entry);
    const BookIndexRecord* r = piece >= 0 ? slot(m_contents.index, static_cast<std::uint64_t>(piece)) : nullptr;
    if (!r || !m_audio || r->audioLength == 0) return std::nullopt;
    return m_audio->read(r->audioOffset, r->audioLength);
}

} // namespace stonewise
