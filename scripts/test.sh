#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the whole test suite.
# CI sets CI=true and gets warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Formatting first: it takes a second and names the files at fault.
bash scripts/check-format.sh
preset=default build=build
[ "${CI:-}" = "true" ] && preset=ci build=build-ci
bash scripts/build.sh "$preset"
# clang-tidy's checks, before the long runs: it also parses every source
# with Clang, which CI does not otherwise build with (the fuzzers do), so a
# break only Clang sees fails here rather than at the next fuzz run.
bash scripts/tidy.sh "$build"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j "$(nproc)"
# Then the same suite, with the fuzz corpora and every input that once
# failed, under AddressSanitizer and UndefinedBehaviorSanitizer.
bash scripts/build.sh sanitize
ctest --preset sanitize -j "$(nproc)"
