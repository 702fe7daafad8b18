#!/usr/bin/env bash
# Installs the Debian package with apt-get and checks the installed tool: with no bridge attached
# it prints the banner, the open error and the prompt, and exits 255. Then removes the package.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$(scripts/package.sh | tail -n 1)"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
trap '$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vornic-update >/dev/null' EXIT

scratch="$(mktemp -d)"
status=0
(cd "$scratch" && /usr/bin/vornic-update </dev/null >out 2>err) || status=$?
printf 'MIRENTA VORNIC FW UPDATE\nPress any key to exit.\n' > "$scratch/want-out"
printf 'ERROR: Could not open device. Make sure unit is powered on and USB cable is connected\r\n' > "$scratch/want-err"
failed=0
cmp -s "$scratch/out" "$scratch/want-out" || { echo "package check: standard output differs"; failed=1; }
cmp -s "$scratch/err" "$scratch/want-err" || { echo "package check: standard error differs"; failed=1; }
[ "$status" -eq 255 ] || { echo "package check: exit status $status, not 255"; failed=1; }
[ -f /usr/lib/udev/rules.d/60-vornic-cp2112.rules ] || { echo "package check: udev rule not installed"; failed=1; }
rm -rf "$scratch"
[ "$failed" -eq 0 ] && echo "package check: 1 passed, 0 failed" || { echo "package check: 0 passed, 1 failed"; exit 1; }
