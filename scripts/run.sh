#!/usr/bin/env bash
# Installs what is needed, builds the program (release) and starts it. The INI file, the log
# and the DATA folder live in $ORVOVIEW_HOME (default ~/OrvoView); the first start creates them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvoview
export ORVOVIEW_HOME="${ORVOVIEW_HOME:-$HOME/OrvoView}"
mkdir -p "$ORVOVIEW_HOME"
echo "Program folder: $ORVOVIEW_HOME (orvoview.INI, orvoview<n>.LOG, DATA/Orvo.DAT)"
program=build/release/app/gui/orvoview
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting under xvfb-run (the window is not visible on this machine)."
    exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
