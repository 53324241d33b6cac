#!/usr/bin/env bash
# Installs the Debian packages needed to build, test, benchmark and fuzz the calculator;
# with --packaging also those that build and check the Debian package and render
# the icon (scripts/package.sh, scripts/render-icons.sh).
# Safe to run repeatedly: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n libgl-dev libx11-dev libxtst-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev libfuzzer-14-dev
  xvfb xauth xdotool imagemagick poppler-utils
  fonts-dejavu-core
)
if [ "${1:-}" = "--packaging" ]; then
  packages+=(dpkg-dev file fakeroot lintian desktop-file-utils appstream librsvg2-bin man-db)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
