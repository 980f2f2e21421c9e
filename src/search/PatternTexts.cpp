#include "search/PatternTexts.h"

#include "record/StringTable.h"
#include "record/Text.h"
#include "search/PatternCodes.h"
#include "search/PatternDatabase.h"

namespace stonewise {

namespace {

constexpr int kTextRecord = 58014; // then upper left, upper right, lower left, lower right
constexpr int kTextJoseki = 58019;
constexpr int kTextFuseki = 58020; // then the four corners
constexpr int kTextGeneral = 58025;

} // namespace

int resultTypeText(std::uint8_t recordType, std::uint8_t collectorKind) {
    const int kind = collectorKind & kCollectorKindMask;
    const int corner = kind >= kUpperLeft && kind <= kLowerRight ? kind - kUpperLeft + 1 : 0;
    switch (recordType) {
    case kRecordJoseki: return kTextJoseki;
    case kRecordFuseki: return kTextFuseki + corner;
    case kRecordGeneral:
        if (corner == 0) return kTextGeneral;
        return kTextRecord + corner;
    default: return kTextRecord + corner;
    }
}

std::u16string resultTypeLabel(const PatternResult& result) {
    return std::u16string(uiText(resultTypeText(result.recordType, result.collectorKind)));
}

std::u16string resultNameLabel(std::u16string_view groupName, std::u16string_view recordName) {
    if (!recordName.empty()) return formatText(uiText(kTextNameWithRecord), {groupName, recordName});
    if (!groupName.empty()) return std::u16string(groupName);
    return std::u16string(uiText(kTextNameUnknown));
}

std::u16string resultCountLine(int count) {
    if (count == 0) return std::u16string(uiText(kTextNoMatch));
    return formatText(uiText(kTextFound), {count});
}

} // namespace stonewise
