// Build step: draws every tool-bar picture at its usual size into one file of records (a 32-bit
// id, then the premultiplied pixels), so that a start copies the bars' pictures instead of
// drawing them. Usage: stonewise_bar_pixels OUT
#include <QtEndian>
#include <cstdio>
#include <fstream>

#include "qt/ButtonIcons.h"

int main(int argc, char** argv) {
    using namespace stonewise;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT\n", argv[0]);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (const int picture : barPictures()) {
        const QImage image = drawButtonPicture(picture, QSize(kDrawnAheadSize, kDrawnAheadSize));
        const qint32 id = qToLittleEndian<qint32>(picture);
        out.write(reinterpret_cast<const char*>(&id), 4);
        out.write(reinterpret_cast<const char*>(image.constBits()), kDrawnAheadBytes);
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[1]);
        return 1;
    }
    return 0;
}
