#!/usr/bin/env bash
# Runs the checks of .clang-tidy over the core's sources (the files outside gui/ folders),
# with the compile commands of the given build folder (default build/ci). Fails on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/ci}"
mapfile -t files < <(git ls-files 'support/*.cpp' 'store/*.cpp' 'link/*.cpp' 'textout/*.cpp' \
    'analysis/*.cpp' 'transfer/*.cpp' 'views/*.cpp' 'app/*.cpp' 'tools/*.cpp' | grep -v '/gui/')
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${files[@]/#/$PWD/}" > "$build/tidy.log" 2>&1 ||
    { grep -E 'error:|warning:' "$build/tidy.log" | sort -u; echo "clang-tidy: findings above"; exit 1; }
echo "clang-tidy: ${#files[@]} files clean"
