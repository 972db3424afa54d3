#!/bin/sh
# The soak: the main game played headless for a long time by a ship that
# never dies with the shot key held. After stage 4 the game returns to the
# title, where the held key starts the next game, so one run goes round the
# main game again and again. The run samples its own resident memory
# (vuzed-tool run --rss-log). The soak fails when the memory at the end
# exceeds the memory once stage 1 is over by more than MAX_GROWTH percent, or
# when anything (a script report) appears on stderr.
#
#   tools/soak.sh BUILD_DIR [PASSES] [MAX_GROWTH]   (defaults 216000, 5)
#
# BUILD_DIR holds vuzed-tool and the generated data/ (make soak builds both,
# optimised). The game's scripts come from the source tree's data/.
#
# SOAK_VIDEO=null|gl: the renderer (default null; gl draws every frame on
# SDL's off-screen driver). SOAK_MAX_RSS_MB (default 2048): a run whose
# memory passes this is stopped at once (SIGTERM: it ends after its pass)
# and fails, so a leak never takes a shared machine's memory.
# SOAK_KEEP=FILE keeps the memory samples.
set -eu

build=${1:?usage: tools/soak.sh BUILD_DIR [PASSES] [MAX_GROWTH]}
passes=${2:-216000}
max_growth=${3:-5}
video=${SOAK_VIDEO:-null}
max_rss_kb=$(( ${SOAK_MAX_RSS_MB:-2048} * 1024 ))
source_data=$(cd "$(dirname "$0")/.." && pwd)/data
build=$(cd "$build" && pwd)
tool=$build/vuzed-tool
[ -x "$tool" ] || { echo "soak: $tool is missing" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/data"
cp -R "$source_data/Script" "$root/data/Script"
cp "$source_data/information.ini" "$root/data/information.ini"
ln -s "$build/data/Graphic" "$root/data/Graphic"
ln -s "$build/data/Music" "$root/data/Music"
echo "1-$passes z" > "$root/keys.txt"

echo "soak: $passes passes of the main game, invincible, shot held, video $video"
start=$(date +%s)
SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen} SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
  "$tool" run --root "$root" --stage 1 --invincible --frames "$passes" --input "$root/keys.txt" \
  --video "$video" --trace 600 --rss-log "$root/rss.log" > "$root/out.log" 2> "$root/err.log" &
pid=$!
stopped=""
while kill -0 "$pid" 2>/dev/null; do
  sleep 2
  kb=$(tail -1 "$root/rss.log" 2>/dev/null | sed -n 's/.*"rss_kb":\([0-9]*\)}$/\1/p')
  if [ -n "$kb" ] && [ "$kb" -gt "$max_rss_kb" ] && [ -z "$stopped" ]; then
    stopped=$kb
    kill -TERM "$pid" 2>/dev/null || true
  fi
done
status=0
wait "$pid" || status=$?
seconds=$(( $(date +%s) - start ))

fail=0
if [ -n "$stopped" ]; then
  echo "soak: stopped: resident memory reached $stopped kB (limit ${SOAK_MAX_RSS_MB:-2048} MB)"
  fail=1
fi
if [ "$status" != 0 ]; then
  echo "soak: vuzed-tool run exited with status $status"
  fail=1
fi
if [ -s "$root/err.log" ]; then
  echo "soak: messages on stderr (first 20 lines):"
  head -20 "$root/err.log"
  fail=1
fi

# Samples: frame, stage, kB. The baseline is the first sample taken in
# stage 2, the memory once stage 1 is over.
sed -n 's/^{"frame":\([0-9]*\),"stage":\([0-9-]*\),"rss_kb":\([0-9-]*\)}$/\1 \2 \3/p' "$root/rss.log" > "$root/rss.txt"
summary=$(awk -v limit="$max_growth" '
  { frame = $1; stage = $2; kb = $3
    if (kb > peak) peak = kb
    if (base == "" && stage == 2) { base = kb; baseFrame = frame }
    if (stage == 1 && last == 4) games++
    last = stage; end = kb; endFrame = frame }
  END {
    if (base == "") { print "none"; exit }
    growth = 100 * (end - base) / base
    printf "%d %d %d %d %d %.2f %d %s\n", baseFrame, base, endFrame, end, peak, growth, games + 1, (growth > limit ? "over" : "ok")
  }' "$root/rss.txt")
if [ "$summary" = none ]; then
  echo "soak: stage 1 never ended; samples:"
  tail -5 "$root/rss.log"
  exit 1
fi
set -- $summary
echo "soak: passes run            $3 (of $passes) in ${seconds} s"
echo "soak: games started         $7"
echo "soak: RSS after stage 1     $2 kB (pass $1)"
echo "soak: RSS at the end        $4 kB (peak $5 kB)"
echo "soak: growth                $6 % (limit $max_growth %)"
tail -1 "$root/out.log"
if [ "$3" != "$passes" ] && [ -z "$stopped" ]; then
  echo "soak: the run ended early"
  fail=1
fi
if [ "$8" = over ]; then
  echo "soak: resident memory grew by more than $max_growth %"
  fail=1
fi
if [ -n "${SOAK_KEEP:-}" ]; then
  cp "$root/rss.log" "$SOAK_KEEP"
  echo "soak: samples kept in $SOAK_KEEP"
fi
[ "$fail" = 0 ] && echo "soak: passed"
exit "$fail"
