#!/usr/bin/env bash
# Installs what is missing, builds the Release configuration in build/, assembles the program
# folder build/Lyrabell/ and starts the editor from it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLYRABELL_TESTS=OFF -DLYRABELL_BENCH=OFF
cmake --build build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show the editor on; start it as: xvfb-run ./run.sh" >&2
  exit 1
fi
exec build/Lyrabell/lyrabell "$@"
