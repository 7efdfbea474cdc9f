#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what the tree's .clang-format makes of it. The
# files go to clang-format in batches on every core, not one process a file.
set -u
root="${1:-.}"
cd "$root" || exit 2
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (scripts/install-deps.sh installs it)"
  exit 1
fi
# clang-format names each file that differs in its warnings ("path:line:col: error: ...").
bad=$(find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 -n 25 -P "$(nproc)" clang-format --dry-run -Werror 2>&1 >/dev/null |
  sed -nE 's/^([^:]+\.(cpp|h)):[0-9]+:[0-9]+: (error|warning): .*/\1/p' | sort -u)
if [ -n "$bad" ]; then
  echo "Not formatted (run clang-format -i on them):"
  printf '  %s\n' $bad
  exit 1
fi
echo "every C++ file is formatted"
