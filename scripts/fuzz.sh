#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while over a copy of the seed corpus.
# Usage: scripts/fuzz.sh [seconds per target, default 60]. A crash leaves its input in build-fuzz/crashes/
# (keep it in fuzz/regressions/<target>/ once it is fixed) and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
vornic_install_missing clang libclang-rt-14-dev

seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
mkdir -p build-fuzz/crashes
for target in bridge_library whole_tool; do
    work="$(mktemp -d)"
    cp fuzz/corpus/$target/* fuzz/regressions/$target/* "$work"/ 2>/dev/null || true
    echo "== $target: ${seconds}s"
    "$PWD/build-fuzz/${target}_fuzzer" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/crashes/${target}-" 2>&1 | tail -n 12
    rm -rf "$work"
done
