#!/usr/bin/env bash
# Installs what is missing, builds the Release build in build/ and starts QD.
set -euo pipefail
cd "$(dirname "$0")"
source cmake/install-deps.sh
qd_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQD_BUILD_TESTS=OFF
cmake --build build
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: run it as 'xvfb-run ./run.sh $*' or 'QT_QPA_PLATFORM=offscreen ./run.sh $*'." >&2
  exit 1
fi
exec build/bin/QD "$@"
