#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the samples need,
# only when one of them is missing (so a second run costs nothing).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev zlib1g-dev libdeflate-dev
  qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev
  libgsf-1-dev libgsf-bin
  tzdata
  clang libclang-rt-14-dev
  python3-dbfread
  xdg-utils
  # Typed outputs (workbooks, databases) and the Python module with its tests
  libxlsxwriter-dev libsqlite3-dev sqlite3
  pybind11-dev python3-dev python3-numpy python3-pandas python3-pytest
  python3-distributed python3-openpyxl python3-xlsxwriter
  dbview
  # Man pages, Debian packages and the checks of the installed files
  scdoc man-db file dpkg-dev lintian debhelper dh-python
  desktop-file-utils appstream shared-mime-info libglib2.0-bin zsh fish
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages and not root: run as root or install them: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  # An index that fails to download (a mirror in the middle of a sync) is no
  # reason to stop: the install below says whether a package is really missing.
  apt-get update -qq || echo "apt-get update failed; installing from the lists at hand" >&2
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
