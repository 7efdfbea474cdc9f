#!/usr/bin/env bash
# Runs the built quorel-cli export: the worked page as HTML and RTF, a scheme file, and the
# errors it reports (bad arguments, a missing input, an unwritable output that stays as it was).
set -u
cli="$1"
golden="$2"
dir=$(mktemp -d)
trap 'chmod -R u+w "$dir"; rm -rf "$dir"' EXIT
fail() { echo "$1"; exit 1; }

printf '<p class="x">a\tb</p>\r\n' > "$dir/in.html"
"$cli" export --html "$dir/in.html" "$dir/out.html" || fail "export --html failed"
grep -q '<font color="#0000FF">&lt;p&nbsp;class=</font>' "$dir/out.html" || fail "html: $(cat "$dir/out.html")"
"$cli" export --rtf "$dir/in.html" "$dir/out.rtf" || fail "export --rtf failed"
grep -q '{\\cf0 a\\tab b}' "$dir/out.rtf" && fail "tabs are expanded when loading, as the editor does"
grep -q '{\\cf2 "x"}' "$dir/out.rtf" || fail "rtf: $(cat "$dir/out.rtf")"

# The same page through a scheme file: the CSS scheme colours no tags.
"$cli" export --html --scheme "$golden/../../../../data/Syntax/CSS.sch" "$dir/in.html" "$dir/css.html" ||
  fail "export --scheme failed"
cmp -s "$dir/out.html" "$dir/css.html" && fail "the scheme file made no difference"

"$cli" export "$dir/in.html" "$dir/x.html" 2>/dev/null; [ $? -eq 2 ] || fail "no format should exit 2"
"$cli" export --rtf "$dir/missing.html" "$dir/x.rtf" 2>"$dir/err"; [ $? -eq 1 ] || fail "missing input should exit 1"
grep -q "cannot load" "$dir/err" || fail "missing input: $(cat "$dir/err")"

printf 'old' > "$dir/locked.rtf"
chmod a-w "$dir/locked.rtf"
"$cli" export --rtf "$dir/in.html" "$dir/locked.rtf" 2>"$dir/err"; [ $? -eq 1 ] || fail "read-only output should exit 1"
grep -q "cannot export" "$dir/err" || fail "read-only output: $(cat "$dir/err")"
[ "$(cat "$dir/locked.rtf")" = "old" ] || fail "the read-only file changed"
echo "export end to end: passed"
