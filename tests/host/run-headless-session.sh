#!/usr/bin/env bash
# ovinta-host run as `make` runs it without a display: the sample program,
# the main session's script from the host folder beside the program, PNG
# snapshots, and the device's program printed at exit, which must hold what
# the script did: a block dropped from the palette, a line with two bends,
# a moved block, and live values that moved.
#
# Usage: run-headless-session.sh <ovinta-host> <output folder>
set -euo pipefail
host=$1 out=$2
share="$(dirname "$host")/../share/ovinta"
rm -rf "$out"
mkdir -p "$out"
env -u DISPLAY "$host" --program "$share/Programs/Sample.teprog" --script "$share/Scripts/MainSession.script" \
  --snapshots "$out" --print-program >"$out/program.txt"

fail() {
  echo "FAIL: $*"
  cat "$out/program.txt"
  exit 1
}
expect() {
  grep -Eq "$1" "$out/program.txt" || fail "$2"
}
expect '^Program of device TE: 8 blocks, 8 lines$' "not 8 blocks and 8 lines"
expect '^  proc CTEProcOUT_0 IO_1 480,260$' "the dropped output block is missing"
expect '^  line Line_8 Scale\.Out0 420,230 420,270 IO_1\.In0 0x00000000 $' "the drawn line is missing"
expect '^  proc CTEProcRTC_0xClock Clock 80,40$' "the block was not moved"
# 3 + 1 + 1 + 1 + 10 ticks: the counter counted each of them.
expect '^  block Count +function "" connection "" value 16$' "the counter did not count every tick"
expect '^  line Line_7 Line_6\.Node2 240,350 240,130 Sum\.In2 0x00c00000 $' "the sample's branch line changed"
for name in 01-program 02-output-dropped 03-line-drawn 04-block-moved 05-values-moved final; do
  [ -s "$out/$name.png" ] || fail "no snapshot $name.png"
done
echo "PASS: the headless session reached the device; snapshots in $out"
