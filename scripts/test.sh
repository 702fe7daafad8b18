#!/usr/bin/env bash
# Builds and runs the whole test suite. Usage: scripts/test.sh [default|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
vornic_install_missing

preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
