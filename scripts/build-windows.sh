#!/usr/bin/env bash
# Installs the MinGW-w64 cross compilers, zlib for MinGW, Wine and the
# GoogleTest sources when missing, then builds the Qt-free products and their
# tests for 64-bit Windows into build-win64/ and for 32-bit Windows into
# build-win32/ (there only the suites scripts/test-windows.sh runs). Arguments
# go to both builds (a target, -j...) in place of that choice.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev wine wine64 googletest zip)
missing=()
for p in "${packages[@]}" wine32:i386; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages and not root: run as root or install them: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  # wine32 runs the 32-bit programs; it comes from the i386 architecture.
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq || echo "build-windows: some package lists could not be fetched" >&2
  apt-get install -y -qq --no-install-recommends "${packages[@]}"
  # The security archive serves no i386 lists, so the Multi-Arch: same
  # libraries the amd64 side took from it have no i386 twin there: pinned to
  # the release, apt picks versions both architectures have.
  preferences=$(mktemp)
  printf 'Package: *\nPin: release n=bookworm\nPin-Priority: 1001\n' >"$preferences"
  apt-get install -y -qq --no-install-recommends --allow-downgrades \
    -o Dir::Etc::Preferences="$preferences" wine32:i386
  rm -f "$preferences"
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
for target in x86_64:win64 i686:win32; do
  arch=${target%%:*}
  dir=build-${target##*:}
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-$arch.cmake" "${launcher[@]}"
  if [ "$dir" = build-win64 ] || [ $# -gt 0 ]; then
    cmake --build "$dir" "$@"
  else
    # 32 bits: the products and the suites scripts/test-windows.sh runs there.
    # The list of targets is that of the configuration as it is now.
    ninja -C "$dir" build.ninja >/dev/null
    mapfile -t suites < <(ninja -C "$dir" -t targets all | grep -oE '^bin/(platform|ordil|guidara|vettle|common)_[a-z_]*\.exe')
    cmake --build "$dir" --target logora vettle ordil guidara "${suites[@]}"
  fi
done
