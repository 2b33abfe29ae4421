#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Runs as root without sudo; asks apt only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-svg-dev
  qt6-pdf-dev libqt6pdf6 libqt6pdfwidgets6
  libzip-dev zipcmp zipmerge ziptool
  libgl-dev libgl1-mesa-dri libegl1 libglx-mesa0
  xvfb xauth
  poppler-utils fonts-liberation2 fontconfig
  clang-format
  qt6-qpa-plugins libqt6printsupport6
  qt6-image-formats-plugins
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: these packages are missing and only root can install them: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
