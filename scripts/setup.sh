#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run its demo.
# Idempotent: quiet when everything is present. Needs root (or sudo) only when
# something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
  libcurl4-openssl-dev libpcre2-dev libicu-dev
  libcpp-httplib-dev libssl-dev zlib1g-dev libbrotli-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
