#pragma once

#include <cstdint>
#include <string>

#include "record/RecordNode.h"

namespace stonewise {

class StringTable;

// The category of a problem, kept with its record.
enum ProblemCategory : std::uint32_t {
    kLifeAndDeath = 16, // "詰碁"
    kTesuji = 32,       // "手筋"
    kJoseki = 48,       // "定石"
    kFuseki = 64,       // "布石"
};

// Numbers of the category names and the name prefixes.
enum ProblemStringId : int {
    kStrLifeAndDeath = 59050,      // "詰碁"
    kStrTesuji = 59051,            // "手筋"
    kStrJoseki = 59052,            // "定石"
    kStrFuseki = 59053,            // "布石"
    kStrBlackToPlay = 59054,       // "黒番－"
    kStrWhiteToPlay = 59055,       // "白番－"
    kStrTesujiPrefix = 59056,      // "手筋－"
    kStrJosekiPrefix = 59057,      // "定石－"
    kStrFusekiPrefix = 59058,      // "布石－"
    kStrUnknownPrefix = 59059,     // "不明"
    kStrResetAnswers = 59060,      // "全ての解答をリセットします。よろしいですか？"
    kStrResetAnswersTitle = 59061, // "解答状況をリセット"
};

// The name of a category; empty for another value.
std::u16string problemCategoryName(const StringTable& strings, std::uint32_t category);
// The prefix of a new problem's name: by the answering side for life and death, by the category
// otherwise, "不明" for an unknown category.
std::u16string problemNamePrefix(const StringTable& strings, std::uint32_t category, Colour answering);

} // namespace stonewise
