#!/usr/bin/env bash
# Installs what is missing, builds the Release build in build/ and starts QD.
set -euo pipefail
cd "$(dirname "$0")"
source cmake/install-deps.sh
qd_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQD_BUILD_TESTS=OFF
cmake --build build
if [ -x build/bin/QD ]; then
  exec build/bin/QD "$@"
fi
echo "Built the libraries; the program build/bin/QD is not part of the tree yet."
