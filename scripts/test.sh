#!/usr/bin/env bash
# Sets everything up, builds under ASan/UBSan and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
