#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer) and runs each for a while on its committed seeds.
# A crash, leak or undefined behaviour found stops the run with a failure and leaves the input in
# build/fuzz/crashes/. Usage: scripts/fuzz.sh [seconds per target, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

scripts/install-deps.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Each target with the folders that seed it; what it finds goes to a scratch folder, so the
# committed seeds stay as they are.
declare -A seeds=(
  [schemefile_fuzz]="data/Syntax tests/data/schemes tests/data/schemes/malformed"
  [picturesize_fuzz]="tests/data/pictures"
  [jpegdecode_fuzz]="tests/data/pictures tests/data/jpegs"
  [rtfimport_fuzz]="tests/data/import/rtf"
  [htmlimport_fuzz]="tests/data/import/html"
  [journal_fuzz]="tests/data/journals"
)
declare -A dicts=(
  [schemefile_fuzz]="tests/fuzz/schemefile.dict"
)
mkdir -p build/fuzz/crashes
for target in "${!seeds[@]}"; do
  scratch=$(mktemp -d)
  echo "== $target: ${seconds} s on ${seeds[$target]}"
  args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build/fuzz/crashes/)
  [ -n "${dicts[$target]:-}" ] && args+=(-dict="${dicts[$target]}")
  # shellcheck disable=SC2086
  if ! "build/fuzz/bin/$target" "${args[@]}" "$scratch" ${seeds[$target]} 2>build/fuzz/$target.log; then
    tail -n 40 "build/fuzz/$target.log"
    echo "$target failed: the input is in build/fuzz/crashes/"
    rm -rf "$scratch"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "build/fuzz/$target.log" || true
  rm -rf "$scratch"
done
echo "fuzz targets ran without a crash"
