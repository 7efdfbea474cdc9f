#!/usr/bin/env bash
# Fails when engine code includes a Qt header. Qt belongs in ui/, platform/qt/, codecs/qt/ and app/
# only.
set -u
root="${1:-.}"
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]|qt)' "$root/src" "$root/tools" \
  --include='*.h' --include='*.cpp' \
  | grep -vE '/ui/|/platform/qt/|/codecs/qt/|/src/app/' || true)
if [ -n "$hits" ]; then
  echo "Qt headers included in engine code:"
  echo "$hits"
  exit 1
fi
echo "engine code is free of Qt includes"
