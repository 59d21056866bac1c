#!/usr/bin/env bash
# Installs what building, testing, the sanitizer and fuzz runs and the demo need, from Debian's packages. Run as root.
set -euo pipefail
packages=(
  cmake g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libffms2-dev libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev libpng-dev
  ffmpeg
  clang-14 libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
