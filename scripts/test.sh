#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test, twice:
#  1. the normal build in build/;
#  2. the checked build in build-asan/: clang with AddressSanitizer and
#     UndefinedBehaviorSanitizer, the same tests, and every fuzz target for a
#     short run on its seed corpus (CTest label "fuzz"). The sanitizers' run-time
#     options are in cmake/sanitizer-options.cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs="$(nproc)"

step() { echo "== $1: $((SECONDS - started)) s"; }

started=$SECONDS
# The tests are built whatever an earlier configuration (./scripts/run.sh)
# left in the cache, and a build without any fails.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAMBREL_BUILD_TESTS=ON
cmake --build build --parallel "$jobs"
(cd build && ctest --output-on-failure --no-tests=error --parallel "$jobs" --timeout 300)
step "build and tests"

started=$SECONDS
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DAMBREL_SANITIZE=ON -DAMBREL_BUILD_FUZZ=ON -DAMBREL_BUILD_TESTS=ON
cmake --build build-asan --parallel "$jobs"
(cd build-asan && ctest --output-on-failure --no-tests=error --parallel "$jobs" --timeout 300)
step "sanitizer build, tests and fuzz runs"
