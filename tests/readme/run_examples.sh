#!/usr/bin/env bash
# Runs the shell examples of the README's tool section as a user would, from a folder in which
# build/quasigrid is the built tool, and compares each shown "$ command" output with the real one.
# Given the folder of the built Python module, it runs the Python section's example after them.
set -euo pipefail
tool=$1
readme=$2
python_module=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/build"
ln -s "$tool" "$scratch/build/quasigrid"
cd "$scratch"

# The tool sections (the tool, starting models from topography): each from its heading to the next.
awk '/^## (The tool|Starting models from topography|Formats of other programs)$/ {on = 1; next} /^## / {on = 0} on' "$readme" > section.md

# Every ```sh block, in order, as one script.
awk '/^```sh$/ {on = 1; next} /^```$/ {on = 0} on' section.md > examples.sh
echo "running $(wc -l < examples.sh) example lines"
bash -euo pipefail examples.sh > examples.out

if [ -n "$python_module" ]; then
  awk '/^## Python$/ {on = 1; next} /^## / {on = 0} on' "$readme" |
    awk '/^```python$/ {on = 1; next} /^```$/ {on = 0} on' > example.py
  PYTHONPATH=$python_module /usr/bin/python3 example.py
  [ -s line1-python.png ] && [ -s line1-python/model.db ]
fi

# Every plain block of the README that starts with "$ command", run after the examples: the
# command's output must be the rest of the block.
awk '/^```[a-z]+$/ {lang = 1; next}
     /^```$/ {if (lang) lang = 0; else if (plain) plain = 0; else {plain = 1; n++}; next}
     plain {print > ("shown" n ".txt")}' "$readme"
compared=0
for shown in shown*.txt; do
  [ -e "$shown" ] || continue
  first=$(head -n 1 "$shown")
  case "$first" in
    '$ '*) ;;
    *) continue ;;
  esac
  tail -n +2 "$shown" > expected.txt
  bash -c "${first#\$ }" > actual.txt
  compared=$((compared + 1))
  if ! diff -u expected.txt actual.txt; then
    echo "README shows other output for: ${first#\$ }" >&2
    exit 1
  fi
done
echo "README examples: all ran, $compared shown output(s) as shown"
