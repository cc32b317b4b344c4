#!/usr/bin/env bash
# Builds the game and starts it; with --terminal (or --zeilen) the game in this terminal, which needs no Qt.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh cmake g++ make pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev \
  qt6-base-dev libgl-dev libutf8proc-dev qt6-translations-l10n libpng-dev libncurses-dev
cmake --preset default >/dev/null
for argument in "$@"; do
  if [ "$argument" = --terminal ] || [ "$argument" = --zeilen ]; then
    cmake --build build --target zarvik-terminal -j"$(nproc)"
    exec build/zarvik-terminal "$@"
  fi
done
cmake --build build --target zarvik zarvik-terminal -j"$(nproc)"
exec build/zarvik "$@"
