#!/usr/bin/env bash
# Installs what is missing, builds the Debug build with sanitizers in
# build-test/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source cmake/install-deps.sh
qd_install_deps

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQD_SANITIZE=ON -DQD_BUILD_TESTS=ON
cmake --build build-test
cd build-test
ctest --output-on-failure -j "$(nproc)"
