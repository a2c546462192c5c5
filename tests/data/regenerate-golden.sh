#!/usr/bin/env bash
# Writes the reference density pictures anew with the zephyra of a build folder:
#   tests/data/regenerate-golden.sh build
# Run it only when a change of the pictures is meant; look at both before committing them.
set -eu
zephyra=${1:?build folder}/src/app/zephyra
data=$(dirname "$0")
code='EWM?MPMMWMMMM'
"$zephyra" render "$code" -q --density --size 64x48 --points 200000 --seed 1 --tone gamma --gamma 2.2 \
    --colors magma -o "$data/density-gamma-magma.png"
"$zephyra" render "$code" -q --density --size 64x48 --points 200000 --seed 1 --tone eqhist --colors viridis \
    --depth 16 --background transparent -o "$data/density-eqhist-viridis-16.png"
