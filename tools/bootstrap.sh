#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine for quasigrid and builds it, then runs one job:
#   run    build and run the tool's main job on its embedded default model
#   test   build and run the whole test suite
#   asan   build with AddressSanitizer and UndefinedBehaviorSanitizer and run the test suite
set -euo pipefail
job=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev sqlite3
          libcli11-dev nlohmann-json3-dev libcairo2-dev fonts-dejavu-core poppler-utils pkg-config
          libnetcdf-dev netcdf-bin python3-meshio python3-numpy
          pybind11-dev python3-dev python3-pytest python3-matplotlib)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
# Every job configures its folder with the same settings, so that run then test in one clone
# gives the same build as test alone; run only builds fewer targets.
configure() {  # $1 build folder, then extra cmake arguments
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

case "$job" in
  run)
    configure build -DQUASIGRID_BUILD_TESTS=ON -DQUASIGRID_BUILD_BENCHMARKS=ON
    cmake --build build -j "$jobs" --target quasigrid-cli
    out=$(mktemp -d /tmp/quasigrid-demo.XXXXXX)
    ./build/quasigrid demo "$out"
    echo "the tool is build/quasigrid; try: build/quasigrid --help"
    ;;
  test)
    configure build -DQUASIGRID_BUILD_TESTS=ON -DQUASIGRID_BUILD_BENCHMARKS=ON
    cmake --build build -j "$jobs"
    ctest --test-dir build --output-on-failure -j "$jobs"
    ;;
  asan)
    configure build-asan -DQUASIGRID_SANITIZE=ON -DQUASIGRID_BUILD_BENCHMARKS=OFF
    cmake --build build-asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$root/tools/lsan.supp \
      ctest --test-dir build-asan --output-on-failure -j "$jobs"
    ;;
  *)
    echo "usage: tools/bootstrap.sh run|test|asan" >&2
    exit 2
    ;;
esac
