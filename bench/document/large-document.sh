#!/usr/bin/env bash
# Peak memory of reading a large document: `zephyra list` of a 10 MB ".zpr" of 34 013 records,
# against the file's size.
# Usage: bench/document/large-document.sh [path/to/zephyra]   (default build/src/app/zephyra)
set -euo pipefail
zephyra=${1:-build/src/app/zephyra}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
record='		<attractor config="EWM?MPMMWMMMM" pointsCount="50000" fov="60" zoom="2.5" yaw="12.5" pitch="-3" tx="0" ty="0" x0="0.05" y0="0.05" z0="0.05" w0="0.05" coordX="0" coordY="1" coordZ="2" colorR="0" colorG="1" colorB="2" fgColor="1.000000 1.000000 1.000000" bgColor="0.000000 0.000000 0.000000"/>'
{
  printf '<?xml version="1.0"?>\n<zephyraSaved>\n'
  for _ in $(seq 34013); do printf '%s\n' "$record"; done
  printf '</zephyraSaved>\n'
} >"$out/large.zpr"
size=$(stat -c %s "$out/large.zpr")
/usr/bin/time -f "%e s wall, %M KiB at most" "$zephyra" list "$out/large.zpr" >/dev/null
echo "file: $((size / 1024)) KiB"
