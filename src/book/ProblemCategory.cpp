#include "book/ProblemCategory.h"

#include "record/StringTable.h"
#include "store/StoreStrings.h"

namespace stonewise {

std::u16string problemCategoryName(const StringTable& strings, std::uint32_t category) {
    switch (category) {
    case kLifeAndDeath: return storeText(strings, kStrLifeAndDeath);
    case kTesuji: return storeText(strings, kStrTesuji);
    case kJoseki: return storeText(strings, kStrJoseki);
    case kFuseki: return storeText(strings, kStrFuseki);
    default: return {};
    }
}

std::u16string problemNamePrefix(const StringTable& strings, std::uint32_t category, Colour answering) {
    switch (category) {
    case kLifeAndDeath: return storeText(strings, answering == kWhite ? kStrWhiteToPlay : kStrBlackToPlay);
    case kTesuji: return storeText(strings, kStrTesujiPrefix);
    case kJoseki: return storeText(strings, kStrJosekiPrefix);
    case kFuseki: return storeText(strings, kStrFusekiPrefix);
    default: return storeText(strings, kStrUnknownPrefix);
    }
}

} // namespace stonewise
