#!/usr/bin/env bash
# The whole program as a presenter runs it, under Xvfb at 1920 × 1080: starts the real lumetra
# with a zh-TW script of about 40,000 characters, opens the prompter window from the control
# window's toolbar, starts fixed-speed playback and samples the process.
#
# Prints: time from exec to the mapped control window (cold: first start with fresh settings;
# warm: the next start), resident memory while prompting, CPU share over 20 s of playback, the
# largest gap between two playback frames and the share of frames later than 20 ms.
#
#   bench/display/prompter-session.sh [build-dir]
#   bench/display/prompter-session.sh --display-only [build-dir]
#
# With --display-only the prompter window is sampled alone (prompter_window_harness: the model
# and the window, full screen, playing), without the control window or the start-up figures.
#
# The toolbar buttons are clicked at their place in the control window; PROMPTER_BUTTON and
# PLAY_BUTTON ("x,y" from the window's top-left corner) override it should the toolbar change.
# Frame times come from the display's LUMETRA_FRAME_LOG measurement hook; FRAME_LOG_COPY names a
# file to keep them in.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
display_only=false
if [[ ${1:-} == --display-only ]]; then
  display_only=true
  shift
fi
build=${1:-$root/build}
program=$build/src/app/lumetra
sample_seconds=${SAMPLE_SECONDS:-20}
prompter_button=${PROMPTER_BUTTON:-547,53}
play_button=${PLAY_BUTTON:-277,53}

for tool in xdotool Xvfb; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
[[ -x $program ]] || { echo "no program at $program: build the lumetra target first" >&2; exit 1; }
[[ -x $build/bench/display/write_long_script ]] || { echo "build the write_long_script target first" >&2; exit 1; }

unset DISPLAY
# shellcheck source=../../scripts/test-services.sh
source "$root/scripts/test-services.sh"
work=$(mktemp -d /tmp/lumetra-session-XXXXXX)
trap 'lumetra_stop_services; rm -rf "$work"' EXIT
"$build/bench/display/write_long_script" "$work/talk.md" 40000
echo "script: $(wc -m <"$work/talk.md") characters"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Starts the program and waits for its control window; leaves its pid in $pid, its window in
# $control and the milliseconds from exec to the mapped window in $startup_ms.
start_program() {
  local home=$1 started
  started=$(now_ms)
  HOME=$home XDG_CONFIG_HOME=$home/.config LUMETRA_FRAME_LOG=$work/frames.log \
    "$program" "$work/talk.md" >"$work/program.log" 2>&1 &
  pid=$!
  # Polled every few milliseconds: xdotool's own --sync waits half a second between looks, which
  # would round every start-up up to the next half second.
  local deadline=$(( started + 20000 ))
  until control=$(xdotool search --onlyvisible --name '^控制台' 2>/dev/null | head -1) && [[ -n $control ]]; do
    if (( $(now_ms) >= deadline )); then
      echo "the control window did not show; the program said:" >&2
      cat "$work/program.log" >&2
      exit 1
    fi
    sleep 0.005
  done
  startup_ms=$(( $(now_ms) - started ))
}

stop_program() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

click_in_control_window() {
  local x=${1%,*} y=${1#*,}
  xdotool mousemove --window "$control" "$x" "$y" click 1
}

# Samples $pid for $sample_seconds seconds of playback and prints the figures.
sample_playback() {
  local ticks_per_second before after rss_kib peak_kib
  ticks_per_second=$(getconf CLK_TCK)
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$sample_seconds"
  after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  rss_kib=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  peak_kib=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  stop_program

  awk -v ticks=$((after - before)) -v hz="$ticks_per_second" -v seconds="$sample_seconds" \
    'BEGIN { printf "CPU share while prompting: %.3f of one core\n", ticks / hz / seconds }'
  echo "resident memory while prompting: $((rss_kib / 1024)) MiB (peak $((peak_kib / 1024)) MiB)"
  [[ -n ${FRAME_LOG_COPY:-} ]] && cp "$work/frames.log" "$FRAME_LOG_COPY"
  # The frame log holds the monotonic time of each playback frame, in microseconds.
  awk 'NR == 1 { first = $1 }
       NR > 1 { gap = ($1 - previous) / 1000; if (gap > largest) largest = gap; if (gap > 20) late++; frames++ }
       { previous = $1 }
       END {
         if (frames == 0) { print "no playback frames were logged"; exit 1 }
         printf "frames: %d (%.1f per second), largest gap %.1f ms, later than 20 ms: %.2f%%\n",
                frames + 1, frames / ((previous - first) / 1e6), largest, 100 * late / frames
       }' "$work/frames.log"
}

if $display_only; then
  [[ -x $build/bench/display/prompter_window_harness ]] || { echo "build prompter_window_harness first" >&2; exit 1; }
  LUMETRA_FRAME_LOG=$work/frames.log "$build/bench/display/prompter_window_harness" "$work/talk.md" \
    >"$work/program.log" 2>&1 &
  pid=$!
  sleep 3
  : >"$work/frames.log"
  sample_playback
  exit 0
fi

home=$work/home
mkdir -p "$home"
start_program "$home"
cold=$startup_ms
sleep 2
stop_program
start_program "$home"
warm=$startup_ms
echo "start-up to the mapped control window: cold ${cold} ms, warm ${warm} ms"

sleep 1
# Playback first: the prompter window, once open, covers the control window's toolbar. Nothing
# moves until the prompter is shown, since only its frame clock advances the script.
click_in_control_window "$play_button"
click_in_control_window "$prompter_button"
if ! prompter=$(timeout 5 xdotool search --sync --onlyvisible --name '^Prompter$' | head -1); then
  echo "the prompter window did not open: nothing more is measured" >&2
  stop_program
  exit 1
fi
# The prompter as it is used: full screen on the 1920 × 1080 screen. A virtual display has no
# window manager to carry out F11, so the window is also moved and sized to cover the screen.
xdotool windowactivate "$prompter" 2>/dev/null || true
xdotool key --window "$prompter" F11
xdotool windowmove "$prompter" 0 0 windowsize "$prompter" 1920 1080
sleep 2
: >"$work/frames.log"
sample_playback
