#!/usr/bin/env bash
# Builds the Debian package build/vornic-update_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
vornic_install_missing

cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target vornic-update
(cd build && cpack -G DEB >/dev/null)
ls build/vornic-update_*.deb
