#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy's checks) over the library and the command
# line, from a configured build's compile commands; fails on any finding.
#   bash scripts/tidy.sh [BUILD_DIR]     (default: build, configured first if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || cmake --preset default >/dev/null
mapfile -t files < <(find src apps -name '*.cpp' | sort)
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet
