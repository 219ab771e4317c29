#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (clang, KUMA_FUZZ=ON) and runs
# each one: first every input of its corpus once (the reproducers of faults
# found so far must pass), then SECONDS of fuzzing from the corpus with a
# fixed seed. New inputs go to a scratch folder, a failing one to
# build-fuzz/. Usage: scripts/fuzz.sh [SECONDS] (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

cmake -S . -B build-fuzz -DKUMA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKUMA_BUILD_GUI=OFF -DKUMA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for name in force_table section_file form_values workbook_sheet etabs_tables library; do
  target="build-fuzz/tests/fuzz/fuzz_$name"
  corpus="tests/fuzz/corpus/$name"
  options=(-seed=1 -timeout=10 -rss_limit_mb=2048 -max_len=65536 -dict="tests/fuzz/$name.dict"
           -artifact_prefix="build-fuzz/$name-")
  echo "== $name: replaying $(ls "$corpus" | wc -l) corpus inputs"
  "$target" "${options[@]}" "$corpus"/*
  echo "== $name: fuzzing for $seconds s"
  mkdir -p "$scratch/$name"
  "$target" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 "$scratch/$name" "$corpus"
done
