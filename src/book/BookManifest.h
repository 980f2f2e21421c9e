#pragma once

#include <string>
#include <vector>

#include "book/BookWriter.h"

namespace stonewise {

// The source folder of a book, written by hand: a manifest "book.txt" (UTF-8) with the book's lines
//   title: 囲碁のルール入門
//   speed: 50
// followed by one block per page, in order, each opened by a line "[entry]":
//   title: 石を取る
//   text: text/03.txt          the page's text (UTF-8)
//   picture: capture.bmp       a BMP or JPEG picture
//   game: capture.sgf          a game record (SGF or UGF)
//   audio: 03.mp3              its spoken audio (MP3)
//   kind: page | trace | problem
//   moves: 0 4                 the first and last move shown (0: the record's own)
//   corner: 1                  the corner view code of the reference board (1-4, 9-12)
//   numbers: 2                 its numbering (2 move numbers, 4 a variation's from 1, 8 only
//                              the moves from the first one shown)
//   category: 16               problem category (16 詰碁, 32 手筋, 48 定石, 64 布石)
//   duration: 120              the page's time in tenths of a second (else from the audio)
// Lines starting with "#" and blank lines are skipped. A named file is looked for in the source
// folder, then in each folder of `more` in turn (for files made while building).
struct BookManifestRead {
    bool ok = false;
    std::string error; // what went wrong, naming the file and line
    BookSource source;
};

BookManifestRead readBookSource(const std::string& folder, const std::vector<std::string>& more = {});

} // namespace stonewise
