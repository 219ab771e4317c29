#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# KUMA_SANITIZE=1 builds and tests with AddressSanitizer and UBSan instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if [ "${KUMA_SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DKUMA_SANITIZE=ON -DKUMA_BUILD_BENCH=OFF
else
  dir=build
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$dir" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$dir" --output-on-failure
