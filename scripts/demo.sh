#!/usr/bin/env bash
# Builds the tool and runs a whole update, in real time, against the emulated unit, in a scratch
# folder holding a sample image. VORNIC_EMU_* variables (see the README) choose the unit.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
vornic_install_missing

cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target vornic-update-emulated >/dev/null
program="$PWD/build/vornic-update-emulated"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# A sample image of 24 blocks for each variant; byte 0 is the new minor version.
{ printf '\x05'; head -c 12287 /dev/urandom; } > "$scratch/DATA.bin"
{ printf '\x06'; head -c 12287 /dev/urandom; } > "$scratch/DATA1.bin"

cd "$scratch"
status=0
"$program" || status=$?
echo "(exit status $status)"
