#!/bin/sh
# The soak: the main game played headless for a long time by a ship that
# never dies with the shot key held. After stage 4 the game returns to the
# title, where the held key starts the next game, so one run goes round the
# main game again and again. The run samples its own resident memory
# (vuzed-tool run --rss-log). The soak fails when the memory once stage 1 is
# over, or the peak of a round of the game, grows by more than MAX_GROWTH
# percent from the first round to a later one (see below), or when anything
# (a script report) appears on stderr.
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

# Samples: frame, stage, kB. The game goes round (stages 1 to 4, the title,
# stage 1 again), and its memory rises and falls within each round (stage 4
# holds more than the start of stage 2), so memory is compared at the same
# point of different rounds: the first sample in stage 2 of the last round
# against that of the first (the memory once stage 1 is over), and the peak
# of the last complete round against the peak of the first. Either growing
# by more than MAX_GROWTH percent fails. The end against the memory after
# stage 1 is shown as well.
sed -n 's/^{"frame":\([0-9]*\),"stage":\([0-9-]*\),"rss_kb":\([0-9-]*\)}$/\1 \2 \3/p' "$root/rss.log" > "$root/rss.txt"
summary=$(awk -v limit="$max_growth" '
  function pct(a, b) { return 100 * (a - b) / b }
  { frame = $1; stage = $2; kb = $3
    if (NR > 1 && stage == 1 && last != 1) { rounds++; peaks[rounds] = peak; peak = 0 }
    if (kb > peak) peak = kb
    if (stage == 2 && last != 2) { after[rounds + 1] = kb; afterFrame[rounds + 1] = frame }
    last = stage; end = kb; endFrame = frame }
  END {
    if (!(1 in after)) { print "none"; exit }
    n = rounds + 1
    la = (n in after) ? n : n - 1
    same = pct(after[la], after[1])
    peakGrowth = rounds >= 2 ? pct(peaks[rounds], peaks[1]) : 0
    over = (same > limit || peakGrowth > limit) ? "over" : "ok"
    printf "%d %d %d %d %.2f %d %d %.2f %d %.2f %s %d %d\n", afterFrame[1], after[1], endFrame, end, pct(end, after[1]),
      after[la], afterFrame[la], same, rounds, peakGrowth, over, peaks[1], peaks[rounds]
  }' "$root/rss.txt")
if [ "$summary" = none ]; then
  echo "soak: stage 1 never ended; samples:"
  tail -5 "$root/rss.log"
  exit 1
fi
set -- $summary
echo "soak: passes run            $3 (of $passes) in ${seconds} s, rounds completed: $9"
echo "soak: RSS after stage 1     $2 kB (pass $1)"
echo "soak: RSS at the end        $4 kB ($5 % from after stage 1)"
echo "soak: after stage 1, last   $6 kB (pass $7): $8 % from the first round"
[ "$9" -ge 2 ] && echo "soak: round peaks           first ${12} kB, last complete ${13} kB: ${10} %"
tail -1 "$root/out.log"
if [ "$3" != "$passes" ] && [ -z "$stopped" ]; then
  echo "soak: the run ended early"
  fail=1
fi
if [ "${11}" = over ]; then
  echo "soak: resident memory grew by more than $max_growth % from one round to a later one"
  fail=1
fi
if [ -n "${SOAK_KEEP:-}" ]; then
  cp "$root/rss.log" "$SOAK_KEEP"
  echo "soak: samples kept in $SOAK_KEEP"
fi
[ "$fail" = 0 ] && echo "soak: passed"
exit "$fail"
