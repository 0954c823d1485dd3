#!/usr/bin/env bash
# Makes one zip per Windows target from build-win64/ and build-win32/ (build
# them first with scripts/build-windows.sh): dist/logora-suite-<version>-win64.zip
# and -win32.zip, each with the programs, the two DLLs with their import
# libraries and headers, the help pages and a short README.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(logora-suite VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p dist

for target in win64 win32; do
  build=build-$target
  name=logora-suite-$version-$target
  stage=$(mktemp -d)
  root=$stage/$name
  mkdir -p "$root/include" "$root/lib" "$root/help"
  for product in logora.exe vettle.exe ordil.dll guidara.dll; do
    [ -f "$build/bin/$product" ] || { echo "package-windows: $build/bin/$product is missing; run scripts/build-windows.sh" >&2; exit 1; }
    cp "$build/bin/$product" "$root/"
  done
  cp "$build/ordil/ordil.lib" "$build/guidara/guidara.lib" "$root/lib/"
  cp ordil/include/ordil.h guidara/include/guidara.h "$root/include/"
  cp -r guidara/help/. "$root/help/"
  cat >"$root/README.txt" <<TEXT
Logora suite $version for Windows ($target)

logora.exe   converts Zarn and Vell datalogs, alarm logs, recipe files and
             dBASE tables to CSV or dBASE from the command line (logora /?).
vettle.exe   checks integrity-marked CSV data logs for tampering
             (vettle -i <log.csv> [-o <report.txt>]).
ordil.dll    the 30 utility functions of include\\ordil.h; import library
             lib\\ordil.lib.
guidara.dll  the four help functions of include\\guidara.h; import library
             lib\\guidara.lib. Its mapping table is resource 101 of type CSV.
help\\        the help pages guidara.dll opens: copy them into the help folder
             named by KestraCommonHelpDir.

Every program and DLL runs from this folder alone: the C and C++ runtimes are
linked in. The viewer window of logora.exe and the dialog of vettle.exe need
Qt 6 for Windows and are not part of this build.
TEXT
  rm -f "dist/$name.zip"
  (cd "$stage" && zip -qr -X "$OLDPWD/dist/$name.zip" "$name")
  rm -rf "$stage"
  echo "package-windows: dist/$name.zip"
done
