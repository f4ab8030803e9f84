#!/usr/bin/env bash
# Sets up, builds and runs every test. Extra arguments go to CMake's configure step,
# e.g. scripts/test.sh -DMOZHOU_ASAN=ON (use another BUILD_DIR for that).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

bash scripts/setup.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300
