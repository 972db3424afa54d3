#!/bin/sh
# The installed game, end to end: `cmake --install` into a fresh prefix, then
# the installed vuzed-tool runs stage 1 from a folder without data/, with a
# fresh HOME and XDG_DATA_HOME unset. The first run makes the save
# directory's settings file from the installed template; the second reads
# what the first wrote: the running-time counter (AllTime), 500 ms after 30
# passes of the run's 1/60 s clock, grows to 1000.
# Usage: installed_game_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install $build"
for f in bin/vuzed bin/vuzed-tool share/vuzed/data/information.ini share/vuzed/data/Script/Stage1.txt \
    share/vuzed/data/Graphic/Other/10.bmp share/vuzed/data/Graphic/Player/1.bmp \
    share/vuzed/data/Music/effect/0.wav share/vuzed/data/Music/BGM/1.ogg \
    share/applications/vuzed.desktop share/icons/hicolor/48x48/apps/vuzed.png; do
  [ -s "$prefix/$f" ] || fail "$f was not installed"
done
grep -q '^Icon=vuzed$' "$prefix/share/applications/vuzed.desktop" || fail "the desktop entry names no icon"

mkdir "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
settings=$work/home/.local/share/vuzed/information.ini
run() {
  env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/vuzed-tool" run --stage 1 --frames 30 > "$work/out" ||
    fail "vuzed-tool run exited with $?"
  # The stage's script ran (its clock counts the passes): the installed content was found.
  grep -q '"time":30,' "$work/out" || fail "stage 1 did not run: $(cat "$work/out")"
}
record() { tr -d '\r' < "$settings" | sed -n 's/^AllTime=//p'; }

run
[ -f "$settings" ] || fail "the first run made no $settings"
[ "$(record)" = 500 ] || fail "after the first run AllTime is '$(record)', not 500"
run
[ "$(record)" = 1000 ] || fail "after the second run AllTime is '$(record)', not 1000"
grep -q '^AllTime=0' "$prefix/share/vuzed/data/information.ini" || fail "the installed template was changed"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the run wrote into the folder it was started from"
echo "installed game: settings in the save directory, AllTime 500 then 1000"
