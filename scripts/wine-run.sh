#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the project's own Wine prefix.
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/vornic-wine}"
mkdir -p "$(dirname "$WINEPREFIX")"
# The first use builds the prefix, which Wine reports on standard error: do it apart, quietly.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait >/dev/null 2>&1 || true
fi
exec wine "$@"
