#!/usr/bin/env bash
# Installs the dependencies, builds the programs and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAMBREL_BUILD_TESTS=OFF
cmake --build build --parallel "$(nproc)"
exec build/ambrel "$@"
