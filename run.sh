#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh cmake g++ make pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev \
  qt6-base-dev libgl-dev libutf8proc-dev qt6-translations-l10n libpng-dev
cmake --preset default >/dev/null
cmake --build build --target zarvik -j"$(nproc)"
exec build/zarvik "$@"
