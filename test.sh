#!/usr/bin/env bash
# Builds and runs every test: a normal build first, then the libraries again under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the fuzz targets (clang's libFuzzer) replaying
# their corpora.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh cmake g++ make pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev \
  qt6-base-dev libgl-dev libutf8proc-dev clang libclang-rt-14-dev qt6-translations-l10n libpng-dev
jobs=$(nproc)

cmake --preset default >/dev/null
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest -j"$jobs" --output-on-failure)

cmake --preset asan >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest -j"$jobs" --output-on-failure)

# Only the fuzz targets are built there; each runs every file of its corpus once.
cmake --preset fuzz >/dev/null
fuzz_targets=$(cmake --build build-fuzz --target help | sed -n 's/^\.\.\. \(fuzz_[a-z0-9_]*\)$/\1/p')
cmake --build build-fuzz -j"$jobs" --target $fuzz_targets
replayed=0
for target in $fuzz_targets; do
  log=build-fuzz/$target.replay.log
  if ! build-fuzz/$target -runs=0 -timeout=10 -close_fd_mask=1 "fuzz/corpus/${target#fuzz_}" >"$log" 2>&1; then
    cat "$log"
    echo "fuzz corpus replay failed: $target"
    exit 1
  fi
  echo "fuzz corpus replayed: $target ($(ls "fuzz/corpus/${target#fuzz_}" | wc -l) inputs)"
  replayed=$((replayed + 1))
done
echo "fuzz: $replayed passed, 0 failed"
