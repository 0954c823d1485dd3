#!/usr/bin/env bash
# Builds the Debian packages twice (scripts/package-debian.sh) and checks that
# every package of the second build is byte for byte that of the first. Not
# in ./test.sh, which builds them once: two builds take twice its time.
set -euo pipefail
cd "$(dirname "$0")/../.."
first=$(mktemp -d)
trap 'rm -rf "$first"' EXIT
scripts/package-debian.sh >/dev/null
cp dist/debian/*.deb "$first/"
scripts/package-debian.sh >/dev/null
for deb in "$first"/*.deb; do
  cmp -s "$deb" "dist/debian/${deb##*/}" || { echo "FAIL: ${deb##*/} differs between two builds" >&2; exit 1; }
done
echo "debian packages: two builds are identical ($(ls "$first" | wc -l) packages)"
