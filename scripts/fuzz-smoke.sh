#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer) and runs every fuzzer for a bounded time.
#   FUZZ_SECONDS  seconds per fuzzer (default 20)
# Seeds come from fuzz/corpus/<fuzzer>/ and words from fuzz/<fuzzer>.dict when they exist.
# Crash inputs are kept in build/fuzz/artifacts/. Exit status 1 when any fuzzer fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
count=0
while IFS= read -r fuzzer; do
    name=$(basename "$fuzzer")
    count=$((count + 1))
    corpus="$work/$name"
    mkdir -p "$corpus"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
          -artifact_prefix="$artifacts/$name-")
    [ -f "fuzz/$name.dict" ] && args+=(-dict="fuzz/$name.dict")
    dirs=("$corpus")
    [ -d "fuzz/corpus/$name" ] && dirs+=("fuzz/corpus/$name")
    echo "== $name: ${seconds}s"
    if "$fuzzer" "${args[@]}" "${dirs[@]}" >"$work/$name.log" 2>&1; then
        grep -E '^stat::(number_of_executed_units|new_units_added)' "$work/$name.log" || true
    else
        status=1
        echo "!! $name failed; last lines of its log (inputs kept in $artifacts):"
        tail -n 40 "$work/$name.log"
    fi
done < <(find build/fuzz/fuzz -maxdepth 1 -type f -perm -u+x | sort)

if [ "$count" -eq 0 ]; then
    echo "no fuzzers found in build/fuzz/fuzz" >&2
    exit 1
fi
exit "$status"
