#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zoravin need.
# Idempotent: asks apt only for what is missing; works as root or through sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 qt6-translations-l10n
  libicu-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipaexfont sqlite3 clang clang-format
  xvfb xauth poppler-utils
)
# Data preparation only (the food-table converter); never a runtime dependency.
if [ "${ZORAVIN_DATA_TOOLS:-0}" = 1 ]; then PACKAGES+=(python3-openpyxl); fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "install-deps: root or sudo is needed to install: ${missing[*]}" >&2; exit 1
  fi
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
