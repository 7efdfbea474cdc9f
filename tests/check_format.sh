#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what the tree's .clang-format makes of it.
set -u
root="${1:-.}"
cd "$root" || exit 2
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (scripts/install-deps.sh installs it)"
  exit 1
fi
bad=()
while IFS= read -r -d '' f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run clang-format -i on them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "every C++ file is formatted"
