#!/usr/bin/env bash
# Installs everything needed to build, run and test the program on a fresh
# Debian machine. Non-interactive and safe to run any number of times.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
  nlohmann-json3-dev
  qt6-translations-l10n
  xvfb xauth
  poppler-utils tcl python3
  libzip-dev libexpat1-dev libxlsxwriter-dev
  git clang-format
  # The runtime of the OpenSees 3.8 and OpenSeesPy in the shared tools
  # folder, which the tests run the written OpenSEES models in.
  tcl8.6 liblapack3 libblas3 libgfortran5 zlib1g libpython3.11
)
# The fuzz targets (KUMA_FUZZ=1): clang and its libFuzzer runtime, which
# libclang-rt-dev brings (-fsanitize=fuzzer).
if [ "${KUMA_FUZZ:-0}" = "1" ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
