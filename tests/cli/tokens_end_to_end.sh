#!/usr/bin/env bash
# Runs the built quorel-cli tokens on a page with addresses: without --urls they are plain text,
# with it they are style 12 runs, the full stop after an address included.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$1"; exit 1; }

printf '<p>see www.example.com. or me@host.net</p>\r\n' > "$dir/in.html"

out=$("$cli" tokens "$dir/in.html") || fail "tokens failed"
[ "$out" = "L1 00BF0000 1:3 0:35 1:4" ] || fail "without --urls: $out"

out=$("$cli" tokens --urls --text "$dir/in.html") || fail "tokens --urls failed"
[ "$out" = "L1 00BF0000 1[<p>] 0[see ] 12[www.example.com.] 0[ or ] 12[me@host.net] 1[</p>]" ] ||
  fail "with --urls: $out"
echo "tokens end to end: passed"
