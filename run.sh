#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it with the given files.
# Usage: ./run.sh [file...]
set -euo pipefail
start="$PWD"
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quorel quorel-cli

# Relative file names are meant from where the user started us.
files=()
for f in "$@"; do
  case "$f" in
    /*) files+=("$f") ;;
    *) files+=("$start/$f") ;;
  esac
done
exec "$here/build/release/bin/quorel" "${files[@]}"
