#!/usr/bin/env bash
# Starts the game under a virtual X server, waits until window 0 shows its first frame, optionally
# types keys into it, and saves a PNG of the whole screen.
#   tools/screenshot.sh [OUTPUT.png] [KEYS...]
# KEYS are xdotool key names (Return, Left, F1 ...) or text prefixed with "type:" ("type:E2-E4").
# ZARVIK_BINARY picks another binary (default build/zarvik); the start-up time is printed.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--inside" ]; then
  shift
  out=$1
  shift
  log=$(mktemp)
  started=$(date +%s%N)
  "${ZARVIK_BINARY:-build/zarvik}" >"$log" 2>&1 &
  app=$!
  trap 'kill "$app" 2>/dev/null || true; rm -f "$log"' EXIT
  for _ in $(seq 1 200); do
    if grep -q "first frame of window 0" "$log"; then
      break
    fi
    if ! kill -0 "$app" 2>/dev/null; then
      cat "$log" >&2
      echo "screenshot.sh: the application ended before its first frame" >&2
      exit 1
    fi
    sleep 0.05
  done
  line=$(grep -m1 "first frame of window 0" "$log" || true)
  if [ -z "$line" ]; then
    echo "screenshot.sh: no first frame within 10 s" >&2
    exit 1
  fi
  echo "$line"
  shown=$(sed -n 's/.*at epoch ms \([0-9]*\).*/\1/p' <<<"$line")
  echo "start-up to first frame, measured from outside: $((shown - started / 1000000)) ms"
  sleep "${ZARVIK_SETTLE:-1.5}"
  window=$(xdotool search --onlyvisible --name "Zarvik" | head -n1 || true)
  for key in "$@"; do
    if [ -n "$window" ]; then
      xdotool windowfocus --sync "$window" || true
    fi
    case "$key" in
      type:*) xdotool type --delay 60 "${key#type:}" ;;
      *) xdotool key "$key" ;;
    esac
    sleep "${ZARVIK_KEY_PAUSE:-0.4}"
  done
  sleep 0.5
  import -window root "$out"
  echo "saved $out"
  exit 0
fi

out=$(realpath -m "${1:-shot.png}")
shift || true
exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --inside "$out" "$@"
