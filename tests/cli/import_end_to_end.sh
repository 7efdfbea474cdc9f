#!/usr/bin/env bash
# Runs the built quorel-cli import: RTF and HTML into an empty document (text only, and with
# --styles a dump of the runs), a file that is not RTF, and the errors it reports.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$1"; exit 1; }

printf '{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}Plain {\\b\\cf1 red bold}\\par next}' > "$dir/in.rtf"
"$cli" import --rtf "$dir/in.rtf" "$dir/out.txt" || fail "import --rtf failed"
[ "$(cat "$dir/out.txt")" = "$(printf 'Plain red bold\r\nnext')" ] || fail "text: $(cat -A "$dir/out.txt")"
"$cli" import --rtf --styles "$dir/in.rtf" "$dir/out.styles" || fail "import --styles failed"
grep -qx '1:7 "red bold" Times New Roman 12 bold #FF0000' "$dir/out.styles" ||
  fail "styles: $(cat "$dir/out.styles")"

printf '<html><head><title>Not me</title></head><body><p>One &amp;\r\ntwo</p></body></html>' > "$dir/in.html"
"$cli" import --html "$dir/in.html" "$dir/page.txt" || fail "import --html failed"
grep -q "Not me" "$dir/page.txt" && fail "the title was imported"
grep -qx "One & two" <(tr -d '\r' < "$dir/page.txt") || fail "html: $(cat -A "$dir/page.txt")"

printf 'just text\r\nlines' > "$dir/plain.rtf"
"$cli" import --rtf "$dir/plain.rtf" "$dir/plain.txt" || fail "plain import failed"
cmp -s "$dir/plain.rtf" "$dir/plain.txt" || fail "a file that is not RTF arrives as its lines"

"$cli" import "$dir/in.rtf" "$dir/x" 2>/dev/null; [ $? -eq 2 ] || fail "no format should exit 2"
"$cli" import --rtf "$dir/missing.rtf" "$dir/x" 2>"$dir/err"; [ $? -eq 1 ] || fail "missing input should exit 1"
grep -q "cannot import" "$dir/err" || fail "missing input: $(cat "$dir/err")"
echo "import end to end: passed"
