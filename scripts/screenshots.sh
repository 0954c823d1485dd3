#!/usr/bin/env bash
# Renders the README's pictures of the viewer under Xvfb from a generated
# sample datalog: docs/viewer-*.png (list, find, sorted and filtered list,
# copy menu, statistics panel, plot, plot with crosshair and a hidden pen, a
# second datalog added to the plot).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
command -v xvfb-run >/dev/null || { apt-get update -qq && apt-get install -y -qq xvfb xauth; }
scripts/build.sh --target viewer-screenshot zarn-gen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
datalog=$(build/tools/zarn-gen/zarn-gen "$work" --records 2000 --tags 4 --base plant)
second=$(build/tools/zarn-gen/zarn-gen "$work" --records 1200 --tags 2 --base plant2)
mkdir -p docs
XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1280x800x24" \
  build/tools/viewer-screenshot/viewer-screenshot "$datalog" docs "$second"
echo "wrote docs/viewer-*.png"
