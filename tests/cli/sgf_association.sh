#!/usr/bin/env bash
# The .sgf association on a desktop as the xdg-utils see it, for a user with a fresh HOME: after
# "set" the default for application/x-go-sgf is our entry and xdg-open starts the program with the
# game (a stand-in program writes down what it was given); after "remove" the earlier default is
# back.
#   sgf_association.sh STONEWISE-CLI
set -eu
cli=$1
command -v xdg-mime >/dev/null && command -v xdg-open >/dev/null && command -v xvfb-run >/dev/null || {
    echo "xdg-utils or xvfb missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CURRENT_DESKTOP DESKTOP_SESSION
mkdir -p "$HOME/.local/share/applications" "$HOME/.config" "$work/bin"
for name in stonewise other; do
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "%s/%s.launched"\n' "$work" "$name" >"$work/bin/$name"
    chmod +x "$work/bin/$name"
done
# The user's earlier default: another program.
printf '[Desktop Entry]\nType=Application\nName=Other\nExec=%s %%f\nMimeType=application/x-go-sgf;\n' \
    "$work/bin/other" >"$HOME/.local/share/applications/other.desktop"
printf '[Default Applications]\napplication/x-go-sgf=other.desktop\n' >"$HOME/.config/mimeapps.list"
printf '(;GM[1]FF[4]SZ[19];B[pd];W[dp])' >"$work/game.sgf"

fail() { echo "FAILED: $*"; exit 1; }
[[ $("$cli" sgf-association --program "$work/bin/stonewise") == other-program ]] || fail "query before"
[[ $("$cli" sgf-association set --program "$work/bin/stonewise") == this-program ]] || fail "set"
[[ $(xdg-mime query default application/x-go-sgf) == stonewise.desktop ]] || fail "xdg-mime after set"
[[ $(xdg-mime query filetype "$work/game.sgf") == application/x-go-sgf* ]] || fail "file type"
xvfb-run -a xdg-open "$work/game.sgf" >/dev/null 2>&1
for _ in $(seq 50); do [[ -f $work/stonewise.launched ]] && break; sleep 0.1; done
[[ $(cat "$work/stonewise.launched" 2>/dev/null) == "$work/game.sgf" ]] || fail "xdg-open did not start the program with the game"
[[ $("$cli" sgf-association remove --program "$work/bin/stonewise") == other-program ]] || fail "remove"
[[ $(xdg-mime query default application/x-go-sgf) == other.desktop ]] || fail "the earlier default is not back"
echo "set, opened and removed"
