#!/usr/bin/env bash
# Builds and runs every test, once, in one tree under AddressSanitizer + UndefinedBehaviorSanitizer
# (preset check): the libraries with their tests, the programs, the Qt host with its tests and the
# benchmarks (compiled, not run); every fuzz target replays its corpus as a test. libFuzzer itself is
# only for fuzzing sessions (preset fuzz). Prints the time of each phase.
set -euo pipefail
cd "$(dirname "$0")"

started=$SECONDS
phase_start=$SECONDS
timings=""
phase_done() {
  timings+=$(printf '%-14s %4d s' "$1" $((SECONDS - phase_start)))$'\n'
  echo "=== $1: $((SECONDS - phase_start)) s"
  phase_start=$SECONDS
}

tools/ensure-packages.sh cmake g++ make pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev \
  qt6-base-dev libgl-dev libutf8proc-dev qt6-translations-l10n libpng-dev pgn-extract libncurses-dev tmux
jobs=$(nproc)
# ccache where it is installed; the build does not need it.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
phase_done packages

cmake --preset check "${launcher[@]}" >/dev/null
cmake --build build-check -j"$jobs"
phase_done build
(cd build-check && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest -j"$jobs" --output-on-failure)
phase_done tests

printf '%s' "$timings"
printf '%-14s %4d s\n' total $((SECONDS - started))
