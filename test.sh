#!/usr/bin/env bash
# Builds and runs every test: a normal build first, then the libraries again under
# AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh cmake g++ make pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev \
  qt6-base-dev libgl-dev
jobs=$(nproc)

cmake --preset default >/dev/null
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest -j"$jobs" --output-on-failure)

cmake --preset asan >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest -j"$jobs" --output-on-failure)
