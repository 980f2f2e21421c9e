#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a temporary root and checks that
# it holds the program, its own files, the desktop entry, the icon and the SGF file type, that it
# declares the libraries it needs, and that the installed commands run from where they land.
#   package_test.sh BUILD-FOLDER SGF-FILE
set -euo pipefail
build=$1
sgf=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/stonewise_*.deb)
dpkg-deb -x "$deb" "$work/root"
fail() { echo "FAILED: $*"; exit 1; }
for f in usr/bin/stonewise usr/bin/stonewise-cli usr/lib/stonewise/stonewise usr/lib/stonewise/stonewise-cli \
         usr/lib/stonewise/stonewise-english.so usr/lib/stonewise/LanguageList.txt \
         usr/share/applications/stonewise.desktop usr/share/icons/hicolor/48x48/apps/stonewise.png \
         usr/share/icons/hicolor/256x256/apps/stonewise.png usr/share/mime/packages/stonewise.xml; do
    [[ -e $work/root/$f ]] || fail "the package lacks $f"
done
compgen -G "$work/root/usr/lib/stonewise/BundleFiles/*.sgf" >/dev/null || fail "the package lacks the sample records"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libpng16-16 fonts-ipafont-gothic; do
    [[ $depends == *"$d"* ]] || fail "Depends lacks $d: $depends"
done
grep -q '^MimeType=application/x-go-sgf;$' "$work/root/usr/share/applications/stonewise.desktop" || fail "desktop entry"
grep -q 'glob pattern="\*.sgf"' "$work/root/usr/share/mime/packages/stonewise.xml" || fail "MIME type"
# The installed command line, started through its link in bin/, reads a game.
"$work/root/usr/bin/stonewise-cli" info "$sgf" >"$work/info.txt" || fail "stonewise-cli info"
[[ -s $work/info.txt ]] || fail "stonewise-cli info printed nothing"
# The installed program starts, paints its window and ends, with its own data folder.
mkdir -p "$work/data" "$work/tmp"
QT_QPA_PLATFORM=offscreen STONEWISE_DATA_DIR=$work/data TMPDIR=$work/tmp STONEWISE_QUIT_AFTER_FIRST_PAINT=1 \
    timeout 60 "$work/root/usr/bin/stonewise" >/dev/null 2>&1 || fail "the installed program did not start"
echo "package $(basename "$deb"): $(dpkg-deb -c "$deb" | wc -l) entries, Depends: $depends"
