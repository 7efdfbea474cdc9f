#!/usr/bin/env bash
# Builds the engine, its tests and quorel-cli without Qt and runs those tests: proof that the
# engine needs no window system.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset engine-only >/dev/null
cmake --build --preset engine-only
ctest --preset engine-only -j"$(nproc)" "$@"
