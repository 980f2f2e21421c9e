#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stonewise {

struct PatternResult;

// The numbered texts of the pattern database and its search.
constexpr int kTextAnalysing = 58000; // "解析中：%s"
constexpr int kTextBuilt = 58001;     // composed records, patterns
constexpr int kTextBuildFailed = 58002;
constexpr int kTextCannotAnalyse = 58003; // with the record's name
constexpr int kTextCannotOpenSaveFile = 58004;
constexpr int kTextPatternAnalysis = 58005; // the caption of the two above
constexpr int kTextSavedDataAbnormal = 58006;
constexpr int kTextTooFewStones = 58007;
constexpr int kTextNoSearchData = 58008;
constexpr int kTextCannotSearchNow = 58009;
constexpr int kTextFound = 58010; // "%d" records found
constexpr int kTextNoMatch = 58011;
constexpr int kTextNameUnknown = 58012;
constexpr int kTextNameWithRecord = 58013; // "%s (%s)"
constexpr int kTextKindGeneral = 58025;
constexpr int kTextKindReference = 58026;
constexpr int kTextDamagedRebuild = 58027;
constexpr int kTextComposition = 58028;
constexpr int kTextStop = 58029;
constexpr int kTextFromMainBoard = 58030;
constexpr int kTextFromStudyBoard = 58031;
constexpr int kTextBookNotReadable = 58032; // with the book's number
constexpr int kTextBuildStopped = 58033;
constexpr int kTextPatternLimit = 58034; // with the limit

// The number of the text of a result's type column, by record type and collector kind.
int resultTypeText(std::uint8_t recordType, std::uint8_t collectorKind);
// The type column of a result in the interface language.
std::u16string resultTypeLabel(const PatternResult& result);
// The name column: "%s (%s)" with the group's (or book's) name and the record's name, the
// group's name alone without a record name, "棋譜名不明" without either.
std::u16string resultNameLabel(std::u16string_view groupName, std::u16string_view recordName);
// The count line: "%d" records found, or that none matches.
std::u16string resultCountLine(int count);

} // namespace stonewise
