#!/usr/bin/env bash
# Renders the README's pictures of the viewer under Xvfb from a generated
# sample datalog: docs/viewer-*.png (list, find, sorted and filtered list,
# the list's and the column header's context menus, Save Shown, the View
# menu, statistics panel, plot, plot with crosshair and a hidden pen, a
# second datalog added to the plot), and the statistics panel and the plot
# again at screen scale 2 on a 4K screen (docs/viewer-scale2-*.png).
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
mkdir -p "$work/scale2"
XDG_CONFIG_HOME="$work/config2" QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3840x2160x24" \
  build/tools/viewer-screenshot/viewer-screenshot "$datalog" "$work/scale2" "$second"
cp "$work/scale2/viewer-statistics.png" docs/viewer-scale2-statistics.png
cp "$work/scale2/viewer-plot-crosshair.png" docs/viewer-scale2-plot.png
echo "wrote docs/viewer-*.png"
