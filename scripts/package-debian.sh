#!/usr/bin/env bash
# Builds the Debian packages the Debian way (debian/, dpkg-buildpackage -b)
# from a copy of the committed files, so the work tree stays as it is, into
# dist/debian/: logora, logora-cli, vettle, libordil1, libordil-dev,
# libguidara1, libguidara-dev, python3-logora and their -dbgsym packages.
# Install them with: sudo apt install ./dist/debian/logora_*.deb ...
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
version=$(dpkg-parsechangelog -S Version)
# The same folder each time (below the ignored build folders), so that
# compiler caches see the same paths again.
stage=$PWD/build-debian
rm -rf "$stage"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/logora-$version"
git ls-files -z | tar -c --null -T - | tar -x -C "$stage/logora-$version"
# A build of the same source makes the same packages: its date is the
# changelog's.
export SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp)
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
(cd "$stage/logora-$version" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -b -us -uc >"$stage/build.log" 2>&1) ||
  { tail -n 40 "$stage/build.log" >&2; echo "package-debian: dpkg-buildpackage failed" >&2; exit 1; }
rm -rf dist/debian
mkdir -p dist/debian
mv "$stage"/*.deb "$stage"/*.changes "$stage"/*.buildinfo dist/debian/
ls dist/debian/*.deb
