#!/usr/bin/env bash
# Times quorel-cli export of a generated 20 MB page against two general highlighters on the same
# page, in the same run: HTML against kate-syntax-highlighter, RTF against highlight. Prints wall
# seconds, MB/s of input (1 MB = 1,000,000 bytes) and peak resident memory (MiB) of each, and how
# many times faster our export is (peer seconds / our seconds).
#
# Our export: best of 3 runs. A peer: one run when it takes more than 10 s, else best of 3.
# Peak memory is the largest of the runs timed.
#
# Usage: bench/export_vs_peers.sh [BUILD_DIR]   (default: build/release of this tree, built with
#   cmake --preset release && cmake --build --preset release --target quorel-cli gen-html)
# Installs the time package when /usr/bin/time is missing, and nothing else. A peer program that
# is not installed is reported and its comparison skipped.
set -euo pipefail
shopt -s inherit_errexit

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
build="$(cd "$build" && pwd)"
cli="$build/bin/quorel-cli"
gen="$build/bin/gen-html"
for program in "$cli" "$gen"; do
  if [ ! -x "$program" ]; then
    echo "export_vs_peers: $program is missing; build the release preset first" >&2
    exit 1
  fi
done

if [ ! -x /usr/bin/time ]; then
  echo "== /usr/bin/time is missing: installing the time package"
  apt-get install -y time >/dev/null
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 410,000 generated lines come to 20,038,601 bytes.
lines=410000
page="$work/page.html"
"$gen" "$page" "$lines" >/dev/null
bytes=$(stat -c %s "$page")
echo "== page: $lines lines, $bytes bytes ($(awk -v b="$bytes" 'BEGIN { printf "%.2f", b / 1e6 }') MB)"

# timed OUTFILE COMMAND...: runs the command once under /usr/bin/time; prints "SECONDS KB".
timed() {
  local out="$1"
  shift
  local stats="$work/stats"
  if ! /usr/bin/time -f '%e %M' -o "$stats" "$@" >"$work/stdout" 2>"$work/stderr"; then
    echo "export_vs_peers: failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  if [ ! -s "$out" ]; then
    echo "export_vs_peers: $* wrote nothing to $out" >&2
    exit 1
  fi
  tail -n 1 "$stats"
}

# measure PEER(0|1) OUTFILE COMMAND...: best seconds and largest KB over the runs, as "SECONDS KB
# RUNS".
measure() {
  local peer="$1"
  shift
  local best="" peak=0 runs=0 result secs kb
  for _ in 1 2 3; do
    result=$(timed "$@")
    read -r secs kb <<<"$result"
    runs=$((runs + 1))
    if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best="$secs"
    fi
    [ "$kb" -gt "$peak" ] && peak="$kb"
    if [ "$peer" = 1 ] && awk -v a="$secs" 'BEGIN { exit !(a > 10) }'; then
      break
    fi
  done
  echo "$best $peak $runs"
}

rows=()
ratios=()

# compare FORMAT PEER_NAME OUR_OUT PEER_OUT OUR_COMMAND... -- PEER_COMMAND...
compare() {
  local format="$1" peer="$2" ours_out="$3" peer_out="$4"
  shift 4
  local ours_cmd=() peer_cmd=()
  while [ "$1" != "--" ]; do
    ours_cmd+=("$1")
    shift
  done
  shift
  peer_cmd=("$@")

  echo "== $format: quorel-cli export"
  local result o_secs o_kb o_runs
  result=$(measure 0 "$ours_out" "${ours_cmd[@]}")
  read -r o_secs o_kb o_runs <<<"$result"
  rows+=("$(row "quorel-cli export" "$format" "$o_secs" "$o_kb" "$o_runs" "$ours_out")")

  if ! command -v "$peer" >/dev/null 2>&1; then
    echo "== $format: $peer is not installed; comparison skipped"
    return
  fi
  echo "== $format: $peer"
  local p_secs p_kb p_runs
  result=$(measure 1 "$peer_out" "${peer_cmd[@]}")
  read -r p_secs p_kb p_runs <<<"$result"
  rows+=("$(row "$peer" "$format" "$p_secs" "$p_kb" "$p_runs" "$peer_out")")
  ratios+=("$(awk -v f="$format" -v p="$peer" -v a="$p_secs" -v b="$o_secs" 'BEGIN {
    if (b > 0) printf "%s: %s takes %.1f times as long as quorel-cli export (%.2f s / %.2f s)", f, p, a / b, a, b
    else printf "%s: quorel-cli export too fast to time (%.2f s)", f, b }')")
}

# row TOOL FORMAT SECONDS KB RUNS OUTFILE: one line of the table.
row() {
  local outbytes
  outbytes=$(stat -c %s "$6")
  awk -v t="$1" -v f="$2" -v s="$3" -v kb="$4" -v r="$5" -v b="$bytes" -v o="$outbytes" 'BEGIN {
    mbs = (s > 0) ? sprintf("%.1f", b / 1e6 / s) : "-"
    printf "%-24s %-5s %9.2f %9s %12.1f %5d %11.1f\n", t, f, s, mbs, kb / 1024, r, o / 1e6 }'
}

compare HTML kate-syntax-highlighter "$work/out.html" "$work/out2.html" \
  "$cli" export --html "$page" "$work/out.html" -- \
  kate-syntax-highlighter -f html -s HTML "$page" -o "$work/out2.html"
rm -f "$work/out.html" "$work/out2.html"

compare RTF highlight "$work/out.rtf" "$work/out2.rtf" \
  "$cli" export --rtf "$page" "$work/out.rtf" -- \
  highlight --syntax=html --out-format=rtf -i "$page" -o "$work/out2.rtf"

echo
printf "%-24s %-5s %9s %9s %12s %5s %11s\n" program format seconds "MB/s" "peak RSS MiB" runs "output MB"
for line in "${rows[@]}"; do echo "$line"; done
echo
for line in "${ratios[@]}"; do echo "$line"; done
