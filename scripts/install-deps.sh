#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, test and run.
# Only packages that are missing are installed; a user who is not root is told
# the command to run instead.
set -euo pipefail

PACKAGES=(
  # toolchain
  g++ cmake ninja-build ccache make pkg-config
  # user interface and storage
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6sql6-sqlite
  libgl-dev
  # JPEG
  libjpeg62-turbo-dev
  # djpeg, the decoding benchmark's reference
  libjpeg-turbo-progs
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # fuzzing the big-file reader (libFuzzer)
  clang libclang-rt-14-dev
  # CJK font that the UI face falls back to
  fonts-wqy-microhei
  # looking at the running program headless (screenshots, driving it)
  xvfb xauth x11-apps imagemagick xdotool
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root:  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
