#!/usr/bin/env bash
# Draws every window on the offscreen platform against stand-in servers started in
# process, and saves the pictures in docs/: both launcher pages and the 青岚 catalogue
# window with a loaded list page and a previewed book.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target mozhou-screenshots -j"$(nproc)"
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$build_dir/bin/mozhou-screenshots" docs
