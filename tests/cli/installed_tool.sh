#!/usr/bin/env bash
# Installs the build into one prefix, moves the installed tree to another folder, and runs the
# tool from there: it must find its own templates, not the paths fixed when it was configured.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/first" >/dev/null
mv "$scratch/first" "$scratch/moved"
"$scratch/moved/bin/quasigrid" new "$scratch/m" --extent 0,10,-5,0 --size 3,3 --velocity 1,1,2,2
"$scratch/moved/bin/quasigrid" info "$scratch/m" | grep -q "3 V-lines x 3 H-lines"
echo "installed tool: works from a moved prefix"
