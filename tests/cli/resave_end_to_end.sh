#!/usr/bin/env bash
# Runs the built quorel-cli program on real files: a round trip and a failure.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

printf 'a\r\nb\n\rc  ' > "$dir/in.txt"
"$cli" resave "$dir/in.txt" "$dir/out.txt" --out-format unix || { echo "resave failed"; exit 1; }
expected=$(printf 'a\nb\n\nc\n' | od -An -tx1)
actual=$(od -An -tx1 < "$dir/out.txt")
[ "$expected" = "$actual" ] || { echo "unexpected output: $actual"; exit 1; }

# Without --out-format the file keeps its own line ends.
printf '<p>\n  <b>x</b>   \n' > "$dir/unix.html"
"$cli" resave "$dir/unix.html" "$dir/same.html" || { echo "resave failed"; exit 1; }
expected=$(printf '<p>\n  <b>x</b>\n' | od -An -tx1)
actual=$(od -An -tx1 < "$dir/same.html")
[ "$expected" = "$actual" ] || { echo "line ends not kept: $actual"; exit 1; }

if "$cli" resave "$dir/missing.txt" "$dir/x.txt" 2> "$dir/err"; then
  echo "a missing input was reported as success"; exit 1
fi
grep -q "cannot load" "$dir/err" || { echo "no clear message: $(cat "$dir/err")"; exit 1; }
echo "quorel-cli resave works end to end"
