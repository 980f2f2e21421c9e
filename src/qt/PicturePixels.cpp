// Build step: turns a PNG picture into the plain pixels of view/Image.h, so that the program's
// board pictures are compiled in ready to show (no decoding while the program starts).
// Usage: stonewise_picture_pixels IN.png OUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "view/Image.h"
#include "view/PngImage.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.png OUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    const std::optional<stonewise::Image> image = stonewise::decodePng(bytes, &error);
    if (!in || !image) {
        std::fprintf(stderr, "%s: %s\n", argv[1], image ? "cannot be read" : error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << stonewise::encodePixels(*image);
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
