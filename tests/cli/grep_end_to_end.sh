#!/usr/bin/env bash
# Runs the built quorel-cli grep on real files: plain and pattern matches, empty matches, whole
# words, a bad pattern and a pattern that needs too much work.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$1"; exit 1; }

printf 'The end\r\nending End\r\n\r\nab\r\n' > "$dir/in.txt"

out=$("$cli" grep end "$dir/in.txt") || fail "grep end failed"
[ "$out" = $'1:5:3\n2:1:3\n2:8:3' ] || fail "plain, ignoring case: $out"

out=$("$cli" grep --case --words end "$dir/in.txt") || fail "grep --case --words failed"
[ "$out" = "1:5:3" ] || fail "whole words with case: $out"

out=$("$cli" grep --regex 'x*' "$dir/in.txt") || fail "grep x* failed"
expected=$'1:1:0\n1:2:0\n1:3:0\n1:4:0\n1:5:0\n1:6:0\n1:7:0'
expected+=$'\n2:1:0\n2:2:0\n2:3:0\n2:4:0\n2:5:0\n2:6:0\n2:7:0\n2:8:0\n2:9:0\n2:10:0\n4:1:0\n4:2:0'
[ "$out" = "$expected" ] || fail "empty matches: $out"

out=$("$cli" grep --regex '^$' "$dir/in.txt") || fail "grep ^\$ failed"
[ "$out" = "3:1:0" ] || fail "empty line: $out"

out=$("$cli" grep --regex '[a-z]+g' "$dir/in.txt") || fail "grep [a-z]+g failed"
[ "$out" = "2:1:6" ] || fail "pattern: $out"

"$cli" grep zzz "$dir/in.txt" > "$dir/out" && fail "no match reported as success"
[ -s "$dir/out" ] && fail "output without a match"

"$cli" grep --regex 'a**' "$dir/in.txt" > "$dir/out" 2> "$dir/err"
[ $? -eq 2 ] || fail "a bad pattern did not exit 2"
[ "$(cat "$dir/err")" = "a** is invalid mask at (3)" ] || fail "bad pattern message: $(cat "$dir/err")"

head -c 300000 /dev/zero | tr '\0' a > "$dir/long.txt"
"$cli" grep --regex '{a*}*[b]' "$dir/long.txt" > "$dir/out" 2> "$dir/err"
[ $? -eq 2 ] || fail "a runaway pattern did not stop with an error"
grep -q "needs too much work" "$dir/err" || fail "runaway message: $(cat "$dir/err")"
echo "quorel-cli grep works end to end"
