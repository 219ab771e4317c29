#!/usr/bin/env bash
# Checks that the C++ lines changed since a base commit follow .clang-format
# (only changed lines: untouched code keeps its layout). Prints the diff
# clang-format wants and fails when there is one.
#
# The base, in this order: $KUMA_FORMAT_BASE; the fork point from main when
# HEAD is a branch not yet in main (main or origin/main); otherwise HEAD's
# first parent, the commit landed before it. The working tree's changes are
# checked too.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v git-clang-format >/dev/null || ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is missing (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

has_commit() { git rev-parse --verify -q "$1^{commit}" >/dev/null; }

base="${KUMA_FORMAT_BASE:-}"
if [ -z "$base" ]; then
  for main in main origin/main; do
    if has_commit "$main"; then
      fork=$(git merge-base HEAD "$main" || true)
      head=$(git rev-parse HEAD)
      if [ -n "$fork" ] && [ "$fork" != "$head" ]; then base=$fork; fi
      break
    fi
  done
fi
if [ -z "$base" ] && ! has_commit HEAD^1 &&
  [ "$(git rev-parse --is-shallow-repository)" = true ]; then
  git fetch -q --deepen=1 2>/dev/null || true  # a shallow clone: fetch the parent
fi
if [ -z "$base" ]; then
  if has_commit HEAD^1; then
    base=$(git rev-parse HEAD^1)
  elif [ "$(git rev-parse --is-shallow-repository)" = true ]; then
    echo "check-format: a shallow clone has no base; fetch the history" \
      "(git fetch --unshallow) or set KUMA_FORMAT_BASE" >&2
    exit 2
  else
    base=$(git hash-object -t tree /dev/null)  # the first commit: every line is new
  fi
fi
if ! has_commit "$base" && [ "$base" != "$(git hash-object -t tree /dev/null)" ]; then
  echo "check-format: unknown base '$base'" >&2
  exit 2
fi

echo "check-format: lines changed since ${base:0:12}"
# git clang-format prints the diff it wants (its exit status does not tell
# in every version).
out=$(git clang-format --diff --extensions c,cc,cpp,h,hpp "$base" -- src tests bench)
if ! grep -q '^diff --git' <<<"$out"; then
  echo "check-format: ok"
  exit 0
fi
echo "$out"
echo "check-format: the lines above need 'git clang-format $base'" >&2
exit 1
