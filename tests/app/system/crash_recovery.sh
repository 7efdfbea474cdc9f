#!/usr/bin/env bash
# The real program on its own X server: text typed into a page survives a SIGKILL and comes back
# byte for byte when the program starts again and the user answers Yes; with two instances
# running, only the journal of the one that was killed is offered.
# Usage: crash_recovery.sh QUOREL
set -euo pipefail
shopt -s inherit_errexit

quorel="$1"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "crash_recovery: $*" >&2
  exit 1
}

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
unset QT_QPA_PLATFORM
export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
recovery="$XDG_STATE_HOME/Quorel/recovery"

# start FILE: starts the editor on FILE in the background; sets $started to its process.
start() {
  "$quorel" "$@" >>"$work/editor.log" 2>&1 &
  started=$!
  pids+=("$started")
}
# window TITLE: waits for a shown window whose title matches, and prints its id.
window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1 ||
    fail "no window \"$1\" appeared"
}
# click_into WINDOW: clicks into the middle of the window, its editing area.
click_into() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  sleep 0.3
}
# type_at_end WINDOW TEXT: clicks into the editing area, goes to the end and types.
type_at_end() {
  click_into "$1"
  xdotool key ctrl+End
  xdotool type --delay 15 -- "$2"
}
# answer_yes: the start-up question is showing; Return answers Yes.
answer_yes() {
  local box X Y WIDTH HEIGHT SCREEN WINDOW
  box="$(window '^Confirm$')"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove $((X + 10)) $((Y + 10))
  sleep 0.3
  xdotool key Return
}
journals() { find "$recovery" -name '*.journal' 2>/dev/null | sort; }
# wait_journal COUNT: waits until COUNT journals are on disk (they are written 2 s after typing).
wait_journal() {
  for _ in $(seq 100); do [ "$(journals | wc -l)" -eq "$1" ] && return; sleep 0.1; done
  fail "expected $1 journals, found: $(journals)"
}
save() {
  click_into "$1"
  xdotool key ctrl+s
}
same_bytes() { cmp -s "$1" "$2" || fail "$1 differs from $2: $(od -c "$1" | tail -n 3)"; }

# ---- One instance, killed ----
page="$work/page.html"
printf '<html>\r\n<body>\r\n<p>caf\xc3\xa9</p>\r\n</body>\r\n</html>' >"$page"
cp "$page" "$work/page.orig"
printf '<html>\r\n<body>\r\n<p>caf\xc3\xa9</p>\r\n</body>\r\n</html><p>typed before the crash</p>' \
  >"$work/page.expected"

start "$page"
victim=$started
editor="$(window '^Quorel 1.5 - page.html')"
type_at_end "$editor" "<p>typed before the crash</p>"
sleep 3
wait_journal 1
kill -9 "$victim"
wait "$victim" 2>/dev/null || true
same_bytes "$page" "$work/page.orig"   # the journal never touched the page

start "$page"
answer_yes
editor="$(window '^Quorel 1.5 - page.html')"
sleep 0.5
same_bytes "$page" "$work/page.orig"   # restored as unsaved text, not written over the page
save "$editor"
for _ in $(seq 50); do cmp -s "$page" "$work/page.expected" && break; sleep 0.1; done
same_bytes "$page" "$work/page.expected"
wait_journal 0                         # saved: nothing left to recover
kill -9 "$started"
wait "$started" 2>/dev/null || true
echo "restored after SIGKILL: $(wc -c <"$page") bytes, byte for byte"

# ---- Two instances, one killed ----
first="$work/first.html" second="$work/second.html"
printf 'first page' >"$first"
printf 'second page' >"$second"
start "$first"
one=$started
w1="$(window '^Quorel 1.5 - first.html')"
type_at_end "$w1" " one"
start "$second"
two=$started
w2="$(window '^Quorel 1.5 - second.html')"
type_at_end "$w2" " two"
sleep 3
wait_journal 2
live="$(grep -l 'second.html' $(journals))"
live_before="$(md5sum <"$live")"
kill -9 "$one"
wait "$one" 2>/dev/null || true

start
answer_yes
window '^Quorel 1.5 - first.html' >/dev/null
sleep 1
# No second question: the live instance's journal was not offered, and is as it was.
if xdotool search --onlyvisible --name '^Confirm$' >/dev/null 2>&1; then
  fail "a second journal was offered"
fi
[ -f "$live" ] || fail "the live instance's journal is gone"
[ "$(md5sum <"$live")" = "$live_before" ] || fail "the live instance's journal changed"
kill -0 "$two" || fail "the live instance died"
restored="$(window '^Quorel 1.5 - first.html')"
save "$restored"
for _ in $(seq 50); do [ "$(cat "$first")" = "first page one" ] && break; sleep 0.1; done
[ "$(cat "$first")" = "first page one" ] || fail "first.html holds \"$(cat "$first")\""
[ "$(cat "$second")" = "second page" ] || fail "second.html was written"
echo "two instances: only the dead one's journal was offered"
