#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# With --sanitize the build and the tests run under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
if [[ "${1:-}" == "--sanitize" ]]; then
    preset=asan
fi

bash scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
