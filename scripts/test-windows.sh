#!/usr/bin/env bash
# Cross-compiles build-windows/vornic-update.exe with MinGW-w64 and runs the test suite, built for
# Windows, under Wine: the emulated-unit tests, the soak, the real transport's "no bridge" run and
# the check that the executable imports only Windows' own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
vornic_install_missing g++-mingw-w64-x86-64-posix googletest wine wine64

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows
