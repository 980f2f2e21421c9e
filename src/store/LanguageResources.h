#pragma once

// The block of texts a language library hands to the program. A language library is a shared
// library that exports either the function `DllGetInstanceHandle`, returning a pointer to this
// block, or the block itself under the name `stonewiseLanguageResources`. Plain C layout, so that
// a library needs nothing but this header.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// One numbered text, UTF-16, zero-terminated.
struct StonewiseLanguageString {
    int32_t id;
    const char16_t* text;
};

#define STONEWISE_LANGUAGE_MAGIC 0x524C5753u // "SWLR"
#define STONEWISE_LANGUAGE_VERSION 1u

struct StonewiseLanguageResources {
    uint32_t magic;           // STONEWISE_LANGUAGE_MAGIC
    uint32_t version;         // STONEWISE_LANGUAGE_VERSION
    const char* languageName; // e.g. "English"
    uint32_t count;           // entries in `strings`
    const struct StonewiseLanguageString* strings;
};

typedef const void* (*StonewiseGetInstanceHandle)(void);

#ifdef __cplusplus
}
#endif
