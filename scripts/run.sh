#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it with the given arguments.
# Without arguments it signs the pictures of the current folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target lumadex

if (($# == 0)); then
    shopt -s nullglob nocaseglob
    set -- sign ./*.jpg ./*.jpeg ./*.jpe ./*.jif ./*.bmp ./*.png
fi
exec build/src/cli/lumadex "$@"
