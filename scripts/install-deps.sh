#!/usr/bin/env bash
# Installs the Debian packages Kavio needs to build, test and run; only the missing ones.
# This is the one list of the project's system dependencies.
set -euo pipefail

PACKAGES=(
  # tool chain
  build-essential cmake ninja-build pkg-config git
  clang-14 libclang-rt-14-dev llvm-14 lld-14 clang-format
  # libraries
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6svg6
  libgmime-3.0-dev libgsf-1-dev libglib2.0-dev libzip-dev libcurl4-openssl-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev zip unzip
  # running the window without a display, screenshots, time zones
  tzdata xvfb xauth x11-apps imagemagick fonts-dejavu-core
  # the window's font: Wine's free Tahoma with the metrics the layout was designed for
  fonts-wine
  # Chinese and Japanese names in the lists of the screenshot
  fonts-wqy-microhei
  # packaging checks
  dpkg-dev fakeroot appstream desktop-file-utils librsvg2-bin man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
