#!/usr/bin/env bash
# Runs the built quorel-cli imgtag on pictures: a measured one, one with spaces in its path, and
# a file that is no picture (a tag without size).
set -u
cli="$1"
pictures="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$1"; exit 1; }

mkdir -p "$dir/web site"
cp "$pictures/seed.gif" "$dir/web site/logo.gif"
printf 'not a picture' > "$dir/notes.png"

out=$("$cli" imgtag "$dir/web site/logo.gif") || fail "imgtag failed"
[ "$out" = "<IMG SRC=\"file://$dir/web site/logo.gif\" Width=\"7\" Height=\"5\" Alt=\"logo.gif\">" ] ||
  fail "measured: $out"

out=$("$cli" imgtag --alt "/images/logo.gif" --spaces %20 "$dir/web site/logo.gif") ||
  fail "imgtag --spaces failed"
[ "$out" = "<IMG SRC=\"file://$dir/web%20site/logo.gif\" Width=\"7\" Height=\"5\" Alt=\"/images/logo.gif\">" ] ||
  fail "spaces replaced: $out"

out=$("$cli" imgtag "$dir/notes.png") || fail "imgtag of no picture failed"
[ "$out" = "<IMG SRC=\"file://$dir/notes.png\" Alt=\"notes.png\">" ] || fail "no size: $out"

"$cli" imgtag > /dev/null 2>&1 && fail "imgtag without a path succeeded"
echo "imgtag end to end: passed"
