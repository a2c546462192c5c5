#!/usr/bin/env bash
# The density renderer beside its reference peer, from one run: whole `zephyra render --density`
# processes (1e8 points, 1920x1080, S = 2 and 1, PNG included) and the fixed cost (1e6 points),
# with the CPU share of both cores, beside the numba loops of bench/render/numba_density.py (one
# core, every core) that only iterate and count. Needs python3-numba (scripts/install-deps --bench).
#
#     bench/render/compare-numba.sh [ZEPHYRA] [RUNS]
set -euo pipefail
zephyra=${1:-build/src/app/zephyra}
runs=${2:-3}
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cores=$(nproc)
echo "load: $(cut -d' ' -f1-3 /proc/loadavg); $cores cores; $("$zephyra" --version)"

# Wall s, CPU s and the share of every core busy, of one run of the command.
timed() {
  /usr/bin/time -f "%e %U %S" -o "$out/time" "$@" >/dev/null 2>&1
  read -r wall user sys <"$out/time"
  awk -v w="$wall" -v u="$user" -v s="$sys" -v c="$cores" \
    'BEGIN { printf "%.3f s wall, %.3f s CPU, %.0f %% of %d cores", w, u + s, 100 * (u + s) / (w * c), c }'
}

for code in 'EWM?MPMMWMMMM' EGETDPSRTGBNL; do
  coefficients=$("$zephyra" compute "$code" --json --points 1000 2>/dev/null |
    sed 's/.*"coefficients":\[\([^]]*\)\].*/\1/')
  echo "== $code"
  for i in $(seq "$runs"); do
    echo "  S=2, 1e8:   $(timed "$zephyra" render "$code" --density -o "$out/p.png")"
    echo "  S=1, 1e8:   $(timed "$zephyra" render "$code" --density --supersample 1 -o "$out/p.png")"
    echo "  fixed, 1e6: $(timed "$zephyra" render "$code" --density --points 1000000 -o "$out/p.png")"
  done
  for i in $(seq "$runs"); do
    echo "  $(/usr/bin/python3 "$here/numba_density.py" "$coefficients" 1e8)"
  done
done
