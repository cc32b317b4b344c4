#!/usr/bin/env bash
# Measures the real game under a virtual X server.
#   tools/measure-idle.sh [SECONDS [KEYS]]
#     waits at the first question (or, with KEYS, where those keys lead, e.g. "J" to white's move
#     prompt) and counts, over SECONDS (default 20), the process's wake-ups (voluntary context
#     switches of all its threads) and its CPU time; prints both per second.
#   tools/measure-idle.sh --memory [HALF_MOVES]
#     lets the computer play against itself (new games as needed) and prints the resident memory
#     at the first question and after HALF_MOVES (default 1500) logged half-moves.
# ZARVIK_BINARY picks another binary (default build/zarvik).
set -euo pipefail
cd "$(dirname "$0")/.."

app=""
log=""
cleanup() {
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  fi
  [ -z "$log" ] || rm -f "$log"
}

# Starts the game and waits for its first frame; sets `app` and `log`.
launch() {
  log=$(mktemp)
  "${ZARVIK_BINARY:-build/zarvik}" --log >"$log" 2>&1 &
  app=$!
  for _ in $(seq 1 400); do
    if grep -q "first frame of window 0" "$log"; then
      return 0
    fi
    if ! kill -0 "$app" 2>/dev/null; then
      cat "$log" >&2
      echo "measure-idle.sh: the application ended before its first frame" >&2
      return 1
    fi
    sleep 0.05
  done
  echo "measure-idle.sh: no first frame within 20 s" >&2
  return 1
}

# Sum of the voluntary context switches of every thread of the process.
wakeups() {
  cat /proc/"$app"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n + 0}'
}

# User plus system CPU time of the process in clock ticks.
cputicks() {
  awk '{print $14 + $15}' /proc/"$app"/stat
}

rss_kb() {
  awk '/^VmRSS/ {print $2}' /proc/"$app"/status
}

type_keys() {
  local window
  window=$(xdotool search --onlyvisible --name "^Zarvik$" | head -n1 || true)
  [ -z "$window" ] || xdotool windowfocus --sync "$window" || true
  xdotool type --delay 80 "$1"
}

moves() {
  grep -c '^\*\*\* Move ' "$log" || true
}

if [ "${1:-}" = "--inside-idle" ]; then
  trap cleanup EXIT
  seconds=$2
  launch
  sleep 3  # start-up work done, the program waits at its first question
  if [ -n "${3:-}" ]; then
    type_keys "$3"
    sleep 3
  fi
  w0=$(wakeups)
  c0=$(cputicks)
  sleep "$seconds"
  w1=$(wakeups)
  c1=$(cputicks)
  hz=$(getconf CLK_TCK)
  awk -v w=$((w1 - w0)) -v c=$((c1 - c0)) -v s="$seconds" -v hz="$hz" 'BEGIN {
    printf "idle over %d s: %d wake-ups (%.1f per second), CPU %.3f %% of a core\n", s, w, w / s, 100 * c / hz / s
  }'
  exit 0
fi

if [ "${1:-}" = "--inside-memory" ]; then
  trap cleanup EXIT
  target=$2
  launch
  sleep 3
  first=$(rss_kb)
  echo "resident memory at the first question: $first kB"
  # No standard configuration, white a computer (easy), black a computer (easy), Return at each
  # level question and at the clock question (xdotool types a newline as Return).
  type_keys $'NNN\nJN\n\n'
  last=0
  still=0
  while :; do
    sleep 2
    n=$(moves)
    if [ "$n" -ge "$target" ]; then
      break
    fi
    if ! kill -0 "$app" 2>/dev/null; then
      echo "measure-idle.sh: the application ended after $n half-moves" >&2
      exit 1
    fi
    if [ "$n" -eq "$last" ]; then
      still=$((still + 1))
      # A finished game waits at "Neues Spiel beginnen": yes, and the same configuration again.
      if [ "$still" -ge 3 ]; then
        type_keys $'JNNN\nJN\n\n'
        still=0
      fi
    else
      still=0
    fi
    last=$n
  done
  after=$(rss_kb)
  echo "resident memory after $n logged half-moves: $after kB ($((after - first)) kB more)"
  exit 0
fi

tools/ensure-packages.sh xvfb xauth xdotool
screen=(-a -s "-screen 0 1600x1000x24")
if [ "${1:-}" = "--memory" ]; then
  exec xvfb-run "${screen[@]}" "$0" --inside-memory "${2:-1500}"
fi
exec xvfb-run "${screen[@]}" "$0" --inside-idle "${1:-20}" "${2:-}"
