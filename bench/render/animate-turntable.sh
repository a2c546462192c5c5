#!/usr/bin/env bash
# Times `zephyra animate`: a 120-frame 640x480 turntable of a case L attractor with 10 million
# points a frame, and the same with 30 frames to show that memory does not grow with the frames.
# Usage: bench/render/animate-turntable.sh [path/to/zephyra]   (default build/src/app/zephyra)
set -euo pipefail
zephyra=${1:-build/src/app/zephyra}
code=LLEXCFEWRQIGGPKEHEJHDHNFTJDOJTISKYYISKSQGEQLRJNTWCIMKYURCODBNNJDOLWTACSBGYMRIBBMTWJRXBMLGQXCGSQSAFGCITGAGUDOTREMYKHNAWJBIOQGMJUMUNGSLXPAJURNNRKKNXLYNPQHJQHRFTSWJYTLEQPTM
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for frames in 120 30; do
  /usr/bin/time -f "$frames frames: %e s wall, %U s user, %S s system, %M KiB at most" \
    "$zephyra" animate "$code" --frames "$frames" --size 640x480 --points 10000000 --seed 1 \
    -o "$out/turn.webp" >/dev/null
done
