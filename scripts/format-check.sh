#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
find analysis app bench fuzz link res store support tests textout tools transfer views \
    -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror
