#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the launcher, the plug-ins and the stand-in
# servers, starts the stand-ins on loopback, opens the launcher on this display, and
# stops the stand-ins when the launcher ends.
# Extra arguments go to mozhou-standin, e.g. --notice-version 1.3.2 or --down qinglan.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

bash scripts/setup.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(launcher mozhou-standin)
known=$(cmake --build "$build_dir" --target help)
for plugin in qinglan yuemo; do
  grep -qE "(^|[ .])$plugin(:|\$| )" <<<"$known" && targets+=("$plugin")
done
cmake --build "$build_dir" --target "${targets[@]}" -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  echo "demo: no display (DISPLAY is not set), so the launcher window cannot be shown."
  echo "demo: everything is built; on a machine without a screen, run it under a virtual one:"
  echo "    xvfb-run -a bash scripts/demo.sh"
  exit 1
fi

"$build_dir/bin/mozhou-standin" "$@" &
standin=$!
trap 'kill "$standin" 2>/dev/null || true; wait "$standin" 2>/dev/null || true' EXIT

# The stand-ins are up once the notice server takes connections.
notice_base=${MOZHOU_NOTICE_BASE:-$(sed -n 's/^MOZHOU_NOTICE_BASE:STRING=//p' "$build_dir/CMakeCache.txt")}
notice_port=${notice_base##*:}
for _ in $(seq 100); do
  kill -0 "$standin" 2>/dev/null || { echo "demo: mozhou-standin did not start"; exit 1; }
  (exec 3<>"/dev/tcp/127.0.0.1/$notice_port") 2>/dev/null && break
  sleep 0.1
done

"$build_dir/bin/launcher"
