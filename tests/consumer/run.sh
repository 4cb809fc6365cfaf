#!/usr/bin/env bash
# Installs the built library into a scratch prefix, builds the consumer and the README's C++
# example against it and runs both; the example must create its missing folder.
set -euo pipefail
build=$1
readme=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
awk '/^```cpp$/ {on = 1; next} /^```$/ {on = 0} on' "$readme" > "$scratch/readme_example.cpp"
cmake -S "$here" -B "$scratch/build" -G Ninja -DCMAKE_PREFIX_PATH="$scratch/prefix" \
  -DREADME_EXAMPLE="$scratch/readme_example.cpp" >/dev/null
cmake --build "$scratch/build" >/dev/null
mkdir "$scratch/tables"
"$scratch/build/consumer" "$scratch/tables"
"$scratch/build/readme_example" "$scratch/new/folder" | grep -q "saved $scratch/new/folder/model.db"
