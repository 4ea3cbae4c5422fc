#!/usr/bin/env bash
# Builds the release preset's benchmarks and runs every one of them, one after the other.
#   BENCH_OUT        folder for the JSON results (default build/release/bench-results)
#   ORVO_BENCH_DIR   folder for the files the benchmarks write, absolute or relative
#                    (default build/release/bench-data)
# Extra arguments go to every benchmark (e.g. --benchmark_min_time=0.1).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${BENCH_OUT:-build/release/bench-results}"
export ORVO_BENCH_DIR="${ORVO_BENCH_DIR:-build/release/bench-data}"
cmake --preset release >/dev/null
targets=$(grep -ho 'orvo_add_bench(bench_[a-z_]*\|add_executable(bench_[a-z_]*' bench/*.cmake bench/CMakeLists.txt |
          sed 's/.*(//' | sort -u)
cmake --build --preset release --target $targets
mkdir -p "$out"
for name in $targets; do
    exe=build/release/bench/$name
    [ -x "$exe" ] || continue
    echo "== $name"
    # The SQLite export runs on a data file of about 1 GB.
    [ "$name" = bench_sqlite ] && export ORVO_BENCH_SQLITE_MB="${ORVO_BENCH_SQLITE_MB:-1024}"
    "$exe" --benchmark_out="$out/$name.json" --benchmark_out_format=json "$@"
done
