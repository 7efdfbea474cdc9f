#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test through CTest.
# Usage: ./test.sh [ctest arguments], e.g. ./test.sh -L unit or ./test.sh -R TextStore
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
preset="${QUOREL_PRESET:-dev}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j"$(nproc)" "$@"
