#!/usr/bin/env bash
# Draws both pages of the launcher window on the offscreen platform, after an update
# check against stand-in servers started in the test process, and saves them as
# docs/launcher-home.png and docs/launcher-update.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target launcher_tests -j"$(nproc)"
mkdir -p docs
MOZHOU_SCREENSHOT_DIR="$PWD/docs" QT_QPA_PLATFORM=offscreen \
  "$build_dir/tests/bin/launcher_tests" --gtest_filter='LauncherScreenshot.*'
ls -l docs/launcher-home.png docs/launcher-update.png
