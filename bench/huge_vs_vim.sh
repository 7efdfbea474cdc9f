#!/usr/bin/env bash
# Opens a generated 200 MB page and goes to its end, side by side with vim: vim with syntax on in
# a terminal (script(1) gives it one) draws the top, jumps to the end (normal G), draws and
# quits; open-to-end starts the main window offscreen, opens the page, waits until idle, presses
# Ctrl+End and ends once the last line is painted with its colours. Prints wall seconds and peak
# resident memory of each (best of 3 runs; the peak of the runs), and our time over vim's.
#
# Usage: bench/huge_vs_vim.sh [BUILD_DIR] [LINES]   (default build/release; 4,100,000 lines,
#   about 200 MB). Build first: cmake --build build/release --target open-to-end gen-html
set -euo pipefail
shopt -s inherit_errexit

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
lines="${2:-4100000}"
for program in "$build/bin/open-to-end" "$build/bin/gen-html"; do
  [ -x "$program" ] || { echo "huge_vs_vim: $program is missing; build it first" >&2; exit 1; }
done
for tool in vim script /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "huge_vs_vim: $tool is not installed" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
page="$work/page.html"
"$build/bin/gen-html" "$page" "$lines" >/dev/null
bytes=$(stat -c %s "$page")
echo "== page: $lines lines, $bytes bytes"

# best NAME COMMAND...: three runs under /usr/bin/time; prints "BEST_SECONDS PEAK_KB".
best() {
  local name="$1"
  shift
  local best_s="" peak=0
  for run in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$work/stats" "$@" >"$work/$name.out" 2>"$work/$name.err" ||
      { echo "huge_vs_vim: $name failed" >&2; cat "$work/$name.err" >&2; exit 1; }
    read -r s kb <"$work/stats"
    if [ -z "$best_s" ] || awk -v a="$s" -v b="$best_s" 'BEGIN { exit !(a < b) }'; then best_s=$s; fi
    [ "$kb" -gt "$peak" ] && peak=$kb
  done
  echo "$best_s $peak"
}

read -r vim_s vim_kb < <(best vim script -qec \
  "vim -u NONE -N -i NONE -n -c 'syntax on' -c redraw -c 'normal! G' -c redraw -c 'qa!' $page" \
  /dev/null)
read -r our_s our_kb < <(best quorel "$build/bin/open-to-end" "$page")
cat "$work/quorel.err"
printf '%-12s %8s s %8d MiB\n' "vim" "$vim_s" $((vim_kb / 1024)) "quorel" "$our_s" $((our_kb / 1024))
awk -v o="$our_s" -v v="$vim_s" -v b="$bytes" -v k="$our_kb" 'BEGIN {
  printf "quorel takes %.2f times vim'"'"'s time; its peak memory is %.2f times the page\n", o / v, k * 1024 / b }'

# A keystroke at the end of the page against one in a 10-line page, each key painted.
small="$work/small.html"
"$build/bin/gen-html" "$small" 10 >/dev/null
key() { "$build/bin/open-to-end" "$1" --type 2>&1 | sed -n 's/^typing at the end: \([0-9.]*\) us.*/\1/p'; }
huge_key=$(key "$page")
small_key=$(key "$small")
awk -v h="$huge_key" -v s="$small_key" 'BEGIN {
  printf "a key at the end: %.1f us in the page, %.1f us in 10 lines (%.2f times)\n", h, s, h / s }'
