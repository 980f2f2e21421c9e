#!/bin/sh
# Builds the picture generator and writes every board, stone and mark picture into
# resources/pictures of this repository.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build-pictures"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" >/dev/null
mkdir -p "$root/resources/pictures"
"$build/make_pictures" "$root/resources/pictures"
