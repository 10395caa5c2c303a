#!/usr/bin/env bash
# Configures and builds the project with the given CMake preset (default:
# "default"). Used by the run and test scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
