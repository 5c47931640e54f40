#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the fuzzers need; only what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    libjpeg62-turbo-dev zlib1g-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xdg-utils
    fonts-dejavu-core fonts-ipafont-gothic
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
