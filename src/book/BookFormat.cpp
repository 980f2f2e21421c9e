#include "book/BookFormat.h"

#include <cstdio>

namespace stonewise {

const char* pieceKindName(int kind) {
    switch (kind) {
    case 2: return "indexInfoArray";
    case 3: return "descInfoArray";
    case 4: return "descTextInfoArray";
    case 5: return "kifuInfoArray";
    case 7: return "audioInfoArray";
    case 8: return "appendixKeyArray";
    case 9: return "descText";
    case 10: return "Game";
    case 11:
    case 13: return "image";
    case 12: return "audio";
    default: return "";
    }
}

std::string pieceFileName(int kind, int index) {
    const char* name = pieceKindName(kind);
    if (index < 0) return std::string(name) + ".dat";
    const char* extension = kind == 11 ? "bmp" : kind == 13 ? "jpg" : kind == 12 ? "mp3" : "dat";
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d.", index);
    return std::string(name) + digits + extension;
}

const char* pieceFolderName(int kind) {
    switch (kind) {
    case 8: return "AppendixKey";
    case 9: return "DescText";
    case 10: return "Kifu";
    case 11:
    case 13: return "KifuImage";
    case 12: return "Audio";
    default: return "";
    }
}

} // namespace stonewise
