#!/usr/bin/env bash
# Sets everything up, checks the formatting and the layers, builds under ASan/UBSan, runs
# clang-tidy on the core and the whole test suite: a short bounded run of every fuzzer (core
# built alone with clang, which also proves the core needs no Qt), the threaded serial tests
# under ThreadSanitizer, then every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/format-check.sh
python3 scripts/check-layers.py
cmake --preset ci
cmake --build --preset ci
bash scripts/tidy-check.sh build/ci
FUZZ_SECONDS="${FUZZ_SECONDS:-20}" bash scripts/fuzz-smoke.sh
cmake --preset tsan
cmake --build --preset tsan --target test_link_serial
ctest --preset tsan
ctest --preset ci
