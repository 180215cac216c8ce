#!/usr/bin/env bash
# ovinta-host as a user starts it, on a private Xvfb server, driven with the
# real mouse through xdotool: a palette item dragged onto the canvas, a block
# dragged by its body, a line drawn between two pins, and the canvas
# scrolled with the wheel before a block is dragged again. The device's
# program printed at exit must hold all of it; the host's final snapshot is
# the screenshot. Skipped (exit 77) only when xvfb-run or xdotool is missing.
#
# Usage: run-x11-host-test.sh <ovinta-host> <sample program> <output folder>
set -euo pipefail
for tool in xvfb-run xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed, so the host cannot be driven under Xvfb"
    exit 77
  fi
done
if [ "${1:-}" != "--inside-xvfb" ]; then
  exec timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$@"
fi
shift
host=$1 program=$2 out=$3
rm -rf "$out"
mkdir -p "$out"

# --ticks is the safety net: the host ends by itself after a minute even if
# this script dies before it sends SIGTERM.
"$host" --x11 --program "$program" --ticks 600 --snapshots "$out" --print-program \
  >"$out/program.txt" 2>"$out/stderr.txt" &
pid=$!
trap 'kill -KILL $pid 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*"
  echo "--- program printed by the host:"; cat "$out/program.txt" || true
  echo "--- host's stderr:"; cat "$out/stderr.txt" || true
  exit 1
}

wid=$(timeout 30 xdotool search --sync --name '^Task engine$' | head -1) || true
[ -n "$wid" ] || fail "the editor's window did not appear"

# Points are client coordinates of the editor's window, which is its X
# window; the canvas starts at (220,46) in them.
at() { xdotool mousemove --window "$wid" "$1" "$2"; sleep 0.15; }
press() { at "$1" "$2"; xdotool mousedown 1; sleep 0.2; }
release() { at "$1" "$2"; xdotool mouseup 1; sleep 0.4; }
click() { at "$1" "$2"; xdotool click 1; sleep 0.4; }

# The first ticks bring the sample program onto the canvas.
sleep 3

# (a) "Output" from the palette's Blocks folder, dropped at canvas (480,260).
press 73 203
at 120 210
at 400 280
release 700 306

# (b) Clock dragged 40 to the right by its body: from (40,40) to (80,40).
press 290 98
at 300 98
at 315 98
release 330 98

# (c) A line from Scale's output pin over two bends to the new block's input.
click 579 276
click 640 276
click 640 316
click 700 316

# (d) Two notches of the wheel down over the canvas scroll it 60 pixels (a
# notch is three lines of a hundredth of the 1000-pixel canvas); the new
# block, now at client y 246, is dragged 40 to the right by its body.
at 600 400
xdotool click 5; sleep 0.2
xdotool click 5; sleep 0.4
press 720 256
at 730 256
at 745 256
release 760 256

# Let a tick send the move, then stop the host as a person would (Ctrl-C).
sleep 1
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the host exited with status $status"

grep -q '^  proc CTEProcOUT_0 IO_1 520,260$' "$out/program.txt" ||
  fail "the dropped output block is not on the device where the drag on the scrolled canvas put it"
grep -q '^  proc CTEProcRTC_0xClock Clock 80,40$' "$out/program.txt" || fail "the dragged block did not move on the device"
grep -Eq '^  line Line_[0-9]+ Scale\.Out0 420,230 420,270 IO_1\.In0 0x00000000 $' "$out/program.txt" ||
  fail "the drawn line is not on the device"
[ -s "$out/final.png" ] || fail "no screenshot final.png"
echo "PASS: drop, block drags (one on the canvas scrolled by the wheel) and line reached the device; screenshot $out/final.png"
