#!/usr/bin/env bash
# Starts the game under a virtual X server, waits until window 0 shows its first frame, types keys
# into it as real X key events, and saves a PNG.
#   tools/screenshot.sh [--size WIDTHxHEIGHT] [--window] [OUTPUT.png] [KEYS...]
#     --size sets the virtual screen (default 1600x1000), so that a shot shows the game as it opens
#     on a screen of that size.
#     KEYS are xdotool key names (Return, Left, F1 ...), text prefixed with "type:" ("type:E2-E4")
#     or a pause prefixed with "sleep:" ("sleep:2", seconds). The shot shows the whole screen, or
#     with --window only the game's window.
#   tools/screenshot.sh [--size WIDTHxHEIGHT] --startup [RUNS]
#     starts the game RUNS times (default 5) and prints the time from process start to the first
#     frame of window 0 for each run and their median; no picture.
# ZARVIK_BINARY picks another binary (default build/zarvik). Pauses: ZARVIK_SETTLE after the
# first frame (1.5 s), ZARVIK_KEY_PAUSE after each key (0.4 s), ZARVIK_FINAL_PAUSE before the
# shot (1.5 s).
set -euo pipefail
cd "$(dirname "$0")/.."

app=""
log=""
startup_ms=0
cleanup() {
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  fi
  if [ -n "$log" ]; then
    rm -f "$log"
  fi
  app=""
}

# Starts the game and waits for the line it logs at the first frame of window 0; sets `app`, and
# `startup_ms` to the milliseconds from just before the start to that frame.
launch() {
  log=$(mktemp)
  local started shown line
  started=$(date +%s%3N)
  "${ZARVIK_BINARY:-build/zarvik}" --log >"$log" 2>&1 &
  app=$!
  for _ in $(seq 1 200); do
    line=$(grep -m1 "first frame of window 0" "$log" || true)
    if [ -n "$line" ]; then
      shown=$(sed -n 's/.*at epoch ms \([0-9]*\).*/\1/p' <<<"$line")
      startup_ms=$((shown - started))
      return 0
    fi
    if ! kill -0 "$app" 2>/dev/null; then
      cat "$log" >&2
      echo "screenshot.sh: the application ended before its first frame" >&2
      return 1
    fi
    sleep 0.05
  done
  echo "screenshot.sh: no first frame within 10 s" >&2
  return 1
}

if [ "${1:-}" = "--inside-startup" ]; then
  trap cleanup EXIT
  runs=$2
  times=()
  for run in $(seq 1 "$runs"); do
    launch
    echo "run $run: first frame of window 0 after $startup_ms ms"
    times+=("$startup_ms")
    cleanup
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  echo "start-up to first frame: median $median ms over $runs runs"
  exit 0
fi

if [ "${1:-}" = "--inside" ]; then
  trap cleanup EXIT
  whole=$2
  out=$3
  shift 3
  launch
  echo "start-up to first frame: $startup_ms ms"
  sleep "${ZARVIK_SETTLE:-1.5}"
  window=$(xdotool search --onlyvisible --name "^Zarvik$" | head -n1 || true)
  for key in "$@"; do
    if [ -n "$window" ]; then
      xdotool windowfocus --sync "$window" || true
    fi
    case "$key" in
      type:*) xdotool type --delay 60 "${key#type:}" ;;
      sleep:*) sleep "${key#sleep:}" ;;
      *) xdotool key "$key" ;;
    esac
    sleep "${ZARVIK_KEY_PAUSE:-0.4}"
  done
  sleep "${ZARVIK_FINAL_PAUSE:-1.5}"
  if [ "$whole" = window ] && [ -n "$window" ]; then
    import -window "$window" "$out"
  else
    import -window root "$out"
  fi
  echo "saved $out"
  exit 0
fi

tools/ensure-packages.sh xvfb xauth xdotool imagemagick
size=1600x1000
if [ "${1:-}" = "--size" ]; then
  if ! [[ "${2:-}" =~ ^[0-9]+x[0-9]+$ ]]; then
    echo "screenshot.sh: --size wants WIDTHxHEIGHT, such as 1366x768" >&2
    exit 2
  fi
  size=$2
  shift 2
fi
screen=(-a -s "-screen 0 ${size}x24")
if [ "${1:-}" = "--startup" ]; then
  exec xvfb-run "${screen[@]}" "$0" --inside-startup "${2:-5}"
fi
whole=screen
if [ "${1:-}" = "--window" ]; then
  whole=window
  shift
fi
out=$(realpath -m "${1:-shot.png}")
shift || true
exec xvfb-run "${screen[@]}" "$0" --inside "$whole" "$out" "$@"
