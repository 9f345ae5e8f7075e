#!/usr/bin/env bash
# Every C++ file of the tree as .clang-format lays it out: a file that differs fails the
# test and clang-format names the lines. `clang-format -i FILE` mends it.
set -euo pipefail
cd "$(dirname "$0")/../.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t archivos < <(git ls-files '*.cpp' '*.h' '*.inc')
else
  mapfile -t archivos < <(find . -path ./build -prune -o -path './build-*' -prune -o \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \) -print)
fi
clang-format --dry-run -Werror "${archivos[@]}"
echo "${#archivos[@]} archivos con el formato de .clang-format"
