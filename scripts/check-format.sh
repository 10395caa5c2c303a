#!/usr/bin/env bash
# Fails when clang-format (the repository's .clang-format) would change a
# C++ file, and names the files.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find apps bench designer fuzz include src tests \( -name '*.cpp' -o -name '*.h' \))
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
  echo "check-format: clang-format would change these files; run clang-format -i on them:" >&2
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "  $f" >&2
  done
  exit 1
fi
