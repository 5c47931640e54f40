#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it with the given arguments: the
# picture catalogue with its windows, opening the database named by the first argument, if any.
# The command-line tool is build/src/cli/lumadex (built by a full build).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target lumadex-lite

exec build/src/lumadex-lite "$@"
