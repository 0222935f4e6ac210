#!/bin/sh
# The figures that need a real window, measured inside an X display
# (scripts/bench starts a virtual one with xvfb-run). Prints "name: value"
# lines: details first, each figure as it is known.
#
#   bench/figures.sh BUILD_DIR
set -eu
bin="$1/bench"
game="$1/hiren"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

median() {
    sort -g | awk '{ v[NR] = $1 } END { printf "%.2f\n", v[int((NR + 1) / 2)] }'
}

# Full speed, side by side: each round runs the game for 2 s, then the bare
# SDL2 loop for 2 s, at the same window size; the ratio is the median of
# the rounds' ratios. The bare loop runs as SDL sets it up by default and,
# for comparison, on the same window surface path the game's layer asks
# SDL for (SDL_FRAMEBUFFER_ACCELERATION=0).
fullspeed() {  # name mode width height rounds
    rounds=""
    for r in $(seq "$5"); do
        g=$("$bin/hiren_fullspeed" speed "$2" 2 | awk '/^steps_per_second:/ { print $2 }')
        b=$("$bin/bare_sdl_loop" "$3" "$4" 2)
        s=$(SDL_FRAMEBUFFER_ACCELERATION=0 "$bin/bare_sdl_loop" "$3" "$4" 2)
        echo "$1 round $r: game $g steps/s, bare loop $b frames/s, bare loop on the game's path $s frames/s"
        rounds="$rounds$g $b $s
"
    done
    echo "$1: $(printf '%s' "$rounds" | awk '{ print $1 / $2 }' | median)"
    echo "$1_same_path: $(printf '%s' "$rounds" | awk '{ print $1 / $3 }' | median)"
}

fullspeed fullspeed_ratio 0 320 240 5
fullspeed fullspeed_640_ratio 1 640 480 5

# Pacing: three runs of 2,000 steps each; the figure is the median run,
# and a step missed in any run counts.
pacings=""
missed=0
for r in 1 2 3; do
    out=$("$bin/hiren_fullspeed" pacing 2000)
    echo "$out" | sed "s/^/pacing run $r: /"
    pacings="$pacings$(echo "$out" | awk '/^pacing_within_half_ms:/ { print $2 }')
"
    missed=$((missed + $(echo "$out" | awk '/^skipped_steps:/ { print $2 }')))
done
echo "pacing_within_half_ms: $(printf '%s' "$pacings" | median)"
echo "skipped_steps: $missed"

echo "startup_ms: $("$bin/startup_probe" "$game" 7 2>/dev/null)"

"$bin/hiren_fullspeed" rss 5

# Processor use of the game itself: 5 s on the title screen, then 5 s of
# a run paused with Enter (Enter starts the run; Enter again pauses it;
# a third Enter resumes it, which shows that it was paused).
ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
percent() {  # ticks seconds
    awk -v t="$1" -v s="$2" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", 100 * t / (s * hz) }'
}
"$game" &
pid=$!
window=$(xdotool search --sync --pid "$pid" --onlyvisible | head -n 1)
sleep 1
a=$(ticks "$pid"); sleep 5; b=$(ticks "$pid")
title=$(percent $((b - a)) 5)
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key Return
sleep 0.3
xdotool key Return
sleep 1
a=$(ticks "$pid"); sleep 5; b=$(ticks "$pid")
paused=$(percent $((b - a)) 5)
xdotool key Return
sleep 0.2
a=$(ticks "$pid"); sleep 1; b=$(ticks "$pid")
resumed=$(percent $((b - a)) 1)
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "idle: title ${title}%, paused ${paused}%, resumed afterwards ${resumed}%"
if awk -v r="$resumed" 'BEGIN { exit !(r < 50) }'; then
    echo "idle: the run was not playing after the third Enter; the paused figure may be of another screen"
fi
echo "idle_cpu_percent: $(printf '%s\n%s\n' "$title" "$paused" | sort -g | tail -n 1)"
