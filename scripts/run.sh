#!/usr/bin/env bash
# Installs what is missing, builds the program and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target kumasec kumasec-cli
exec ./build/kumasec "$@"
