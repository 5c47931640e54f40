#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 60),
# seeded from the shared test pictures. Fails on any crash, leak or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
testdata="${LUMADEX_TESTDATA:-$(cd .. && pwd)/shared/testdata}"

bash scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz

declare -A seeds=(
    [png_fuzzer]="$testdata/pngsuite"
    [bmp_fuzzer]="$testdata/bmpsuite/g $testdata/bmpsuite/b"
    [jpeg_fuzzer]="$testdata/jpeg/generated $testdata/jpeg/jpeg-decoder"
)

for fuzzer in build-fuzz/fuzz/*_fuzzer; do
    name="$(basename "$fuzzer")"
    corpus="$(mktemp -d)"
    seed_dirs=()
    for dir in ${seeds[$name]:-}; do
        [[ -d "$dir" ]] && seed_dirs+=("$dir")
    done
    echo "== $name: ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$name-" "$corpus" "${seed_dirs[@]}" 2>&1 | tail -n 12
    rm -rf "$corpus"
done
