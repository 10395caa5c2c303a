#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the whole test suite.
# CI sets CI=true and gets warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Formatting first: it takes a second and names the files at fault.
bash scripts/check-format.sh
preset=default
[ "${CI:-}" = "true" ] && preset=ci
bash scripts/build.sh "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j "$(nproc)"
# Then the same suite, with the fuzz corpora and every input that once
# failed, under AddressSanitizer and UndefinedBehaviorSanitizer.
bash scripts/build.sh sanitize
ctest --preset sanitize -j "$(nproc)"
