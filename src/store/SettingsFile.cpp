#include "store/SettingsFile.h"

#include <algorithm>
#include <array>

#include "store/FileIo.h"
#include "store/StoreStrings.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

namespace {

constexpr std::uint32_t kSettingsThirdWord = 0;
constexpr std::uint16_t kSettingsRecordSize = 244;
constexpr std::uint16_t kSettingsCount = 1;

using Writer = TaggedRecordWriter;

void writePlacement(Writer& w, const WindowPlacement& p) {
    for (std::int32_t v : {p.left, p.top, p.width, p.height}) w.u32(static_cast<std::uint32_t>(v));
}

void readPlacement(const TaggedField& f, WindowPlacement& p) {
    p.left = f.i32(0);
    p.top = f.i32(4);
    p.width = f.i32(8);
    p.height = f.i32(12);
}

// One number field of the file: its id, type and width, and how its value is written and read.
struct NumberField {
    std::uint8_t id;
    std::uint8_t type;
    std::uint16_t width;
    void (*write)(const SettingsRecord&, Writer&);
    void (*read)(SettingsRecord&, const TaggedField&);
    bool byLength; // read as many bytes as the length word says (never more than the width)
};

#define SW_U16(ID, TYPE, MEMBER)                                                                                       \
    NumberField {                                                                                                      \
        ID, TYPE, 2, [](const SettingsRecord& s, Writer& w) { w.u16(s.MEMBER); },                                      \
            [](SettingsRecord& s, const TaggedField& f) { s.MEMBER = f.u16(0); }, false                                \
    }

const NumberField kNumberFields[] = {
    {1, 4, 16, [](const SettingsRecord& s, Writer& w) { writePlacement(w, s.mainWindow); },
     [](SettingsRecord& s, const TaggedField& f) { readPlacement(f, s.mainWindow); }, false},
    {2, 4, 4, [](const SettingsRecord& s, Writer& w) { w.u32(s.lastView); },
     [](SettingsRecord& s, const TaggedField& f) { s.lastView = f.u32(0); }, false},
    {3, 2, 4,
     [](const SettingsRecord& s, Writer& w) {
         w.u16(s.sparePair[0]);
         w.u16(s.sparePair[1]);
     },
     [](SettingsRecord& s, const TaggedField& f) {
         s.sparePair = {f.u16(0), f.u16(2)};
     },
     false},
    {5, 4, 16, [](const SettingsRecord& s, Writer& w) { writePlacement(w, s.studyWindow); },
     [](SettingsRecord& s, const TaggedField& f) { readPlacement(f, s.studyWindow); }, false},
    {6, 2, 4,
     [](const SettingsRecord& s, Writer& w) {
         w.u16(s.viewFlags[0]);
         w.u16(s.viewFlags[1]);
     },
     [](SettingsRecord& s, const TaggedField& f) {
         s.viewFlags = {f.u16(0), f.u16(2)};
     },
     false},
    SW_U16(7, 2, studyBoardIndependent),
    SW_U16(8, 2, komiAsInteger),
    SW_U16(9, 2, numbersBeforeLastMove),
    SW_U16(11, 3, automaticMailCreation),
    SW_U16(12, 3, mailBodyForm),
    SW_U16(13, 3, movesPerMail),
    SW_U16(15, 3, automaticMailFetch),
    SW_U16(16, 3, unreceivedWarningHours),
    SW_U16(17, 3, omitComments),
    {18, 4, 16, [](const SettingsRecord& s, Writer& w) { writePlacement(w, s.helpWindow); },
     [](SettingsRecord& s, const TaggedField& f) { readPlacement(f, s.helpWindow); }, false},
    SW_U16(19, 3, elapsedInMoveList),
    SW_U16(20, 3, commentMarks),
    SW_U16(21, 3, printSize),
    SW_U16(22, 3, printNumberSize),
    SW_U16(23, 3, sendAtOnce),
    SW_U16(24, 3, confirmReviewSending),
    SW_U16(25, 3, unsentWarningOff),
    SW_U16(26, 3, bookTextValue1),
    SW_U16(27, 3, bookTextValue2),
    {28, 4, 16, [](const SettingsRecord& s, Writer& w) { writePlacement(w, s.helpPictureWindow); },
     [](SettingsRecord& s, const TaggedField& f) { readPlacement(f, s.helpPictureWindow); }, false},
    SW_U16(30, 3, animationSpeed),
    SW_U16(31, 3, spareDisplayValue),
    SW_U16(32, 3, coordinateOrigin),
    SW_U16(33, 3, horizontalLabels),
    SW_U16(34, 3, verticalLabels),
    SW_U16(35, 3, layoutSwitch),
    SW_U16(36, 3, coordinatesHidden),
    SW_U16(40, 3, drawingValue),
    SW_U16(41, 3, branchMarks),
    SW_U16(42, 3, flashSpeed),
    SW_U16(43, 3, flashAfterimage),
    SW_U16(50, 3, noSaveConfirmation),
    SW_U16(51, 3, externalRecordMode),
    SW_U16(52, 3, saveSgfToo),
    {53, 4, 32,
     [](const SettingsRecord& s, Writer& w) {
         for (std::uint32_t v : s.spareBlock) w.u32(v);
     },
     [](SettingsRecord& s, const TaggedField& f) {
         for (std::size_t i = 0; i < s.spareBlock.size() && 4 * i + 4 <= f.value.size(); ++i)
             s.spareBlock[i] = f.u32(4 * i);
     },
     true},
    {54, 3, 2, [](const SettingsRecord& s, Writer& w) { w.u16(s.sgfOutputEncoding); },
     [](SettingsRecord& s, const TaggedField& f) {
         if (f.value.size() >= 2) s.sgfOutputEncoding = f.u16(0);
     },
     true},
    {55, 4, 32,
     [](const SettingsRecord& s, Writer& w) {
         for (std::int32_t v : s.modeGroups) w.u32(static_cast<std::uint32_t>(v));
     },
     [](SettingsRecord& s, const TaggedField& f) {
         for (std::size_t i = 0; i < s.modeGroups.size() && 4 * i + 4 <= f.value.size(); ++i)
             s.modeGroups[i] = f.i32(4 * i);
     },
     true},
    SW_U16(60, 3, listOption1),
    SW_U16(61, 3, listOption2),
    SW_U16(72, 3, bookTextFontSize),
    SW_U16(73, 3, bookAutomatic),
    SW_U16(74, 3, bookContinuous),
};

#undef SW_U16

const NumberField* numberField(int id) {
    for (const NumberField& f : kNumberFields)
        if (f.id == id) return &f;
    return nullptr;
}

template <class Record>
auto textField(Record& s, int id) -> decltype(&s.mailGoTitlePattern) {
    switch (id) {
    case 10: return &s.mailGoTitlePattern;
    case 70: return &s.bookPath;
    case 71: return &s.bookTextFont;
    default: return nullptr;
    }
}

// The order in which the writer emits the fields.
constexpr std::array<std::uint8_t, 50> kWriteOrder{1,  2,  3,  5,  6,  7,  8,  9,  10, 11, 12, 13, 15, 16, 17, 18, 19,
                                                   20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 32, 33, 34, 35, 36, 40,
                                                   41, 42, 43, 50, 51, 52, 53, 54, 55, 60, 61, 70, 71, 72, 73, 74};

// The field loop: true when it ended at the end mark, false on a short read.
bool readFields(TaggedRecordReader& r, SettingsRecord& s) {
    for (;;) {
        TaggedHead head;
        if (!r.readHead(head)) return false;
        if (head.type() == kMarkEnd) return true;
        if (const NumberField* nf = numberField(head.id())) {
            TaggedField f{head, {}};
            if (nf->byLength) {
                if (head.length() < 0) return false;
                const std::size_t n = static_cast<std::size_t>(head.length());
                if (!r.readBytes(n, f.value)) return false;
                f.value = f.value.first(std::min<std::size_t>(n, nf->width));
            } else if (!r.readBytes(nf->width, f.value)) {
                return false;
            }
            nf->read(s, f);
            if (head.id() == 35) s.layoutSwitch = 1;
        } else if (std::optional<std::u16string>* text = textField(s, head.id())) {
            if (head.length() <= 0) {
                text->reset();
                continue;
            }
            TaggedField f{head, {}};
            if (!r.readBytes(2 * static_cast<std::size_t>(head.length()), f.value)) return false;
            *text = f.text(kTextBuffer).value_or(std::u16string());
        } else {
            const long n = head.valueBytes();
            if (n < 0 || !r.skip(static_cast<std::size_t>(n))) return false;
        }
    }
}

} // namespace

SettingsReadStatus decodeSettings(std::span<const std::uint8_t> bytes, SettingsRecord& s) {
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    if (!r.readHeader(header)) return SettingsReadStatus::ShortHeader;
    if (!header.versionOk()) return SettingsReadStatus::BadVersion;
    applyDefaultA(s);
    const bool complete = readFields(r, s);
    s.viewFlags[0] = 1;
    s.externalRecordMode = 0;
    return complete ? SettingsReadStatus::Loaded : SettingsReadStatus::Truncated;
}

std::vector<std::uint8_t> encodeSettings(const SettingsRecord& record) {
    Writer w;
    w.header(kSettingsThirdWord, kSettingsRecordSize, kSettingsCount);
    for (std::uint8_t id : kWriteOrder) {
        if (const NumberField* nf = numberField(id)) {
            w.fieldHead(nf->type, id, static_cast<std::int16_t>(nf->width));
            nf->write(record, w);
        } else if (const std::optional<std::u16string>* text = textField(record, id)) {
            if (*text) w.fieldText(id, std::u16string_view(**text));
            else if (id == 10) w.fieldText(id, std::nullopt);
        }
    }
    w.end();
    return w.take();
}

SettingsLoadResult loadSettings(const DataFolder& folder, SettingsRecord& s, const StringTable& strings) {
    SettingsLoadResult result;
    auto bytes = readWholeFile(folder.file(kSettingsFileName));
    if (!bytes) bytes = readWholeFile(folder.file(kSettingsPreviousFileName));
    if (!bytes) {
        result.status = SettingsReadStatus::NoFile;
        return result;
    }
    result.status = decodeSettings(*bytes, s);
    if (result.status == SettingsReadStatus::BadVersion)
        result.messages.push_back({storeText(strings, kStrSettingsVersion), storeText(strings, kStrFileReading)});
    return result;
}

bool saveSettings(const DataFolder& folder, const SettingsRecord& s) {
    makeFolders(folder.path());
    const std::string current = folder.file(kSettingsFileName);
    const std::string previous = folder.file(kSettingsPreviousFileName);
    const std::string fresh = folder.file("Settings.dat.new");
    // The new settings are complete on disk before the old file changes its name, so that a full
    // disk or a crash leaves either the old settings or the new ones, never a torn file.
    if (!writeFileAtomically(fresh, encodeSettings(s))) return false;
    if (pathExists(current) && !renameFile(current, previous)) {
        removeFile(fresh);
        return false;
    }
    return renameFile(fresh, current);
}

SettingsLoadResult startUpSettings(const DataFolder& folder, SettingsRecord& s, const StringTable& strings,
                                   bool japaneseInterface) {
    s = SettingsRecord{};
    SettingsLoadResult result = loadSettings(folder, s, strings);
    if (!result.ok()) applyDefaultB(s, japaneseInterface, storeText(strings, kStrMailGoTitlePattern));
    applyStartUpRepairs(s);
    return result;
}

} // namespace stonewise
