#!/usr/bin/env bash
# Builds the libFuzzer targets (the sanitizer build, with clang) and runs each for the given
# seconds (default 60), two at a time, seeded from the test pictures of the repository (tests/data) and the seed files in
# fuzz/corpus/<target>/. Fails on any crash, leak or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
pictures=tests/data

bash scripts/install-deps.sh
cmake --preset asan
cmake --build --preset fuzz

declare -A seeds=(
    [png_fuzzer]="$pictures/pngsuite"
    [bmp_fuzzer]="$pictures/bmpsuite/g $pictures/bmpsuite/b"
    [jpeg_fuzzer]="$pictures/jpeg/generated $pictures/jpeg/jpeg-decoder"
)

# Runs one target into build-asan/<target>.log, on a fresh corpus seeded from its folders.
run_fuzzer() {
    local fuzzer="$1"
    local name corpus status=0
    name="$(basename "$fuzzer")"
    corpus="$(mktemp -d)"
    local seed_dirs=()
    for dir in ${seeds[$name]:-} "fuzz/corpus/$name"; do
        [[ -d "$dir" ]] && seed_dirs+=("$dir")
    done
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="build-asan/$name-" "$corpus" "${seed_dirs[@]}" \
        >"build-asan/$name.log" 2>&1 || status=$?
    rm -rf "$corpus"
    return "$status"
}

# Two targets at a time, one per core; each one's output is shown whole once it has ended.
fuzzers=(build-asan/fuzz/*_fuzzer)
failed=()
for ((i = 0; i < ${#fuzzers[@]}; i += 2)); do
    pair=("${fuzzers[@]:i:2}")
    pids=()
    for fuzzer in "${pair[@]}"; do
        echo "== $(basename "$fuzzer"): ${seconds}s"
        run_fuzzer "$fuzzer" &
        pids+=($!)
    done
    for j in "${!pair[@]}"; do
        name="$(basename "${pair[j]}")"
        if ! wait "${pids[j]}"; then
            failed+=("$name")
        fi
        echo "== $name"
        tail -n 12 "build-asan/$name.log"
    done
done

if ((${#failed[@]})); then
    echo "fuzzing failed: ${failed[*]} (see build-asan/<target>.log)" >&2
    exit 1
fi
