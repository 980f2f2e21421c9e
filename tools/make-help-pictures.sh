#!/usr/bin/env bash
# Draws the help's pictures from the program's own windows (offscreen) into
# resources/help/{japanese,english}/HelpImages.dat, one set per interface language. Run it after
# a change to the windows or to the pictures' list in tests/qt/HelpPictures.cpp, and commit the
# two files.
#   tools/make-help-pictures.sh
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/build" --target qt_help_pictures
game="$top/resources/samples/gnugo-19-1.sgf"
export QT_QPA_PLATFORM=offscreen
"$top/build/tests/qt/qt_help_pictures" "$top/resources/help/japanese/HelpImages.dat" 1041 "$game"
"$top/build/tests/qt/qt_help_pictures" "$top/resources/help/english/HelpImages.dat" 1033 "$game"
ls -l "$top"/resources/help/*/HelpImages.dat
