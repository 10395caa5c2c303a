#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the whole test suite.
# CI sets CI=true and gets warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
preset=default
[ "${CI:-}" = "true" ] && preset=ci
bash scripts/build.sh "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j "$(nproc)"
