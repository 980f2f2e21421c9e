// A language library that exports its block of texts but no DllGetInstanceHandle.
#include "store/LanguageResources.h"

namespace {
const StonewiseLanguageString kStrings[] = {{10003, u"Noir"}, {10002, u"Blanc"}};
} // namespace

extern "C" [[gnu::visibility("default")]] const StonewiseLanguageResources stonewiseLanguageResources = {
    STONEWISE_LANGUAGE_MAGIC, STONEWISE_LANGUAGE_VERSION, "Français", 2, kStrings};
