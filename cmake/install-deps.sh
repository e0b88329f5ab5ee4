#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Sourced by run.sh and test.sh; quiet when everything is present.
qd_packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
             libtiff-dev libpng-dev libjpeg62-turbo-dev clang)

qd_install_deps() {
  local missing=()
  for p in "${qd_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "Missing packages: ${missing[*]}"
      echo "Install them with: apt-get update && apt-get install -y ${missing[*]}"
      return 1
    fi
  fi
  echo "Installing: ${missing[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}
