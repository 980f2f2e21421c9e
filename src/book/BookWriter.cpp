#include "book/BookWriter.h"

#include "book/BookArrays.h"
#include "book/BookFormat.h"
#include "book/BookHeader.h"

namespace stonewise {

namespace {

std::size_t roundUp(std::size_t n) { return (n + kBookBlockSize - 1) / kBookBlockSize * kBookBlockSize; }

std::vector<std::uint8_t> utf16Bytes(const std::u16string& text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

// The data blocks, each at a multiple of the block size.
class DataBlocks {
public:
    std::uint32_t add(const std::vector<std::uint8_t>& bytes) {
        const std::size_t at = m_bytes.size();
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        m_bytes.resize(roundUp(m_bytes.size()));
        return static_cast<std::uint32_t>(at);
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Bit rates (kbit/s) of MPEG-1 and MPEG-2/2.5 layer III, and sample rates of MPEG-1.
constexpr int kBitRates[2][16] = {{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
                                  {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};
constexpr int kSampleRates[3] = {44100, 48000, 32000};

} // namespace

std::uint32_t mp3DurationTicks(const std::vector<std::uint8_t>& b) {
    std::size_t i = 0;
    // An ID3v2 tag: "ID3", version, flags, a 28-bit size in four 7-bit bytes.
    if (b.size() >= 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3')
        i = 10 + ((std::size_t{b[6]} << 21) | (std::size_t{b[7]} << 14) | (std::size_t{b[8]} << 7) | b[9]);
    double seconds = 0;
    while (i + 4 <= b.size()) {
        if (b[i] != 0xFF || (b[i + 1] & 0xE0) != 0xE0) {
            ++i;
            continue;
        }
        const int version = (b[i + 1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
        const int layer = (b[i + 1] >> 1) & 3;   // 1 layer III
        const int rateIndex = b[i + 2] >> 4, sampleIndex = (b[i + 2] >> 2) & 3, padding = (b[i + 2] >> 1) & 1;
        if (version == 1 || layer != 1 || rateIndex == 0 || rateIndex == 15 || sampleIndex == 3) {
            ++i;
            continue;
        }
        const bool mpeg1 = version == 3;
        const int sampleRate = kSampleRates[sampleIndex] / (mpeg1 ? 1 : version == 2 ? 2 : 4);
        const int samples = mpeg1 ? 1152 : 576;
        const int bitRate = kBitRates[mpeg1 ? 0 : 1][rateIndex] * 1000;
        const std::size_t length = static_cast<std::size_t>(samples / 8 * bitRate / sampleRate + padding);
        if (length < 4) break;
        seconds += static_cast<double>(samples) / sampleRate;
        i += length;
    }
    return static_cast<std::uint32_t>(seconds * 10 + 0.999);
}

BookFiles writeBook(const BookSource& source) {
    BookFiles files;
    DataBlocks data;
    BookTable<BookIndexRecord> index;
    BookTable<BookDescRecord> desc;
    BookTable<BookPieceRecord> texts, images, audio;
    BookTable<BookKifuRecord> kifu;
    std::uint16_t answers = 0;
    const bool anyAudio = [&] {
        for (const BookSourceEntry& e : source.entries)
            if (!e.audio.empty()) return true;
        return false;
    }();

    for (const BookSourceEntry& e : source.entries) {
        const int n = static_cast<int>(index.size());
        BookIndexRecord ir;
        ir.position = n;
        ir.ownNumber = n;
        ir.link = -1;
        ir.title = e.title;
        if (!e.audio.empty()) {
            ir.audioOffset = static_cast<std::uint32_t>(files.audio.size());
            ir.audioLength = static_cast<std::uint32_t>(e.audio.size());
            files.audio.insert(files.audio.end(), e.audio.begin(), e.audio.end());
        }
        if (anyAudio) audio.push_back(BookPieceRecord{n, ir.audioOffset, ir.audioLength});
        index.push_back(ir);

        BookDescRecord d;
        d.position = n;
        d.indexEntry = static_cast<std::uint32_t>(n);
        if (!e.text.empty()) {
            const std::vector<std::uint8_t> bytes = utf16Bytes(e.text);
            d.textPiece = static_cast<std::uint32_t>(texts.size());
            texts.push_back(BookPieceRecord{static_cast<int>(texts.size()), data.add(bytes),
                                            static_cast<std::uint32_t>(bytes.size())});
        }
        if (!e.picture.empty()) {
            d.pictureNumber = static_cast<std::uint32_t>(images.size());
            const std::uint32_t kindBits = e.pictureIsBmp ? 0 : 0x40000000;
            images.push_back(BookPieceRecord{static_cast<int>(images.size()), data.add(e.picture),
                                             static_cast<std::uint32_t>(e.picture.size() & 0x3FFFFFFF) | kindBits});
        }
        if (!e.gameBlock.empty()) {
            d.gameNumber = static_cast<std::uint32_t>(kifu.size());
            const auto length = static_cast<std::uint32_t>(e.gameBlock.size());
            kifu.push_back(BookKifuRecord{static_cast<int>(kifu.size()), e.gameName, data.add(e.gameBlock),
                                          static_cast<std::uint16_t>(length),
                                          static_cast<std::uint16_t>(length >> 16)});
        }
        d.displayFlags = e.displayFlags;
        d.orientation = e.orientation;
        d.startMove = e.startMove;
        d.endMove = e.endMove;
        d.duration = e.duration ? e.duration : mp3DurationTicks(e.audio);
        d.kind = e.kind;
        d.category = e.category;
        if (e.kind != static_cast<std::uint16_t>(BookPageKind::Page)) d.answerNumber = answers++;
        desc.push_back(d);
    }

    BookHeader h;
    h.title = source.title;
    h.speed = source.speed;
    h.valueA = static_cast<std::uint32_t>(source.entries.size());
    h.valueB = answers;
    std::vector<std::uint8_t> arrays;
    auto place = [&](BookArray a, const std::vector<std::uint8_t>& bytes, std::size_t count) {
        if (count == 0) return;
        h.place(a) = {static_cast<std::uint32_t>(kBookHeaderSize + arrays.size()), static_cast<std::uint32_t>(count)};
        arrays.insert(arrays.end(), bytes.begin(), bytes.end());
    };
    place(BookArray::Index, writeIndexArray(index), index.size());
    place(BookArray::Desc, writeDescArray(desc), desc.size());
    place(BookArray::DescText, writePieceArray(texts), texts.size());
    place(BookArray::Kifu, writeKifuArray(kifu), kifu.size());
    place(BookArray::Image, writePieceArray(images), images.size());
    place(BookArray::Audio, writePieceArray(audio), audio.size());
    h.dataBase = static_cast<std::uint32_t>(roundUp(kBookHeaderSize + arrays.size()));

    files.book = encodeBookHeader(h);
    files.book.insert(files.book.end(), arrays.begin(), arrays.end());
    files.book.resize(h.dataBase);
    files.book.insert(files.book.end(), data.bytes().begin(), data.bytes().end());
    return files;
}

} // namespace stonewise
