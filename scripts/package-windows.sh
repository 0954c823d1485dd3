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
  # A text for Notepad and cmd: CR LF line ends.
  sed 's/$/\r/' >"$root/README.txt" <<TEXT
Logora suite $version for Windows ($target)

logora.exe   converts Zarn and Vell datalogs, alarm logs, recipe files and
             dBASE tables to CSV or dBASE from the command line
             (logora --help, logora /?).
vettle.exe   checks integrity-marked CSV data logs for tampering
             (vettle --help).
ordil.dll    the 30 utility functions of include\\ordil.h; import library
             lib\\ordil.lib.
guidara.dll  the four help functions of include\\guidara.h; import library
             lib\\guidara.lib. Its mapping table is resource 101 of type CSV.
help\\        the help pages guidara.dll opens: copy them into the help folder
             named by KestraCommonHelpDir (REG_SZ or REG_EXPAND_SZ under
             HKLM\\SOFTWARE\\Tarrow Software\\Setup\\Default\\Common, in
             either the 32-bit or the 64-bit registry view).

Examples (in cmd; names with spaces or parentheses in double quotes; the
programs expand * and ? themselves):
  logora /sd "Plant(1).DAT" plant.csv
  logora /md --out-dir csv *.log
  vettle -i "C:\\Daten\\Kessel Sued\\*.csv" -o report.txt

Settings of logora.exe: the registry key
  HKCU\\Software\\Kestra Applications\\Quorvi Zerovuvuru File Viewer\\Options
Errors of logora.exe are appended to logora-Err.log beside the program, or,
when its folder cannot be written (Program Files for a standard user), to
%LOCALAPPDATA%\\logora\\logora-Err.log; every line also goes to standard error.

Ctrl+C and Ctrl+Break stop a conversion or a check: no partial output is
left, "Interrupted" is printed, and the exit status is 130.

Exit statuses of logora.exe: 0 written; 1 an input could not be converted;
2 the output could not be written, or a usage error; 3 no output format for
the output's extension; 4 the viewer window was asked for without a display.
Exit statuses of vettle.exe: 0 every file passed; 1 a file was altered or
its integrity data is unusable; 2 a usage error or a file or folder that
could not be found, read or written.

Every program and DLL runs from this folder alone: the C and C++ runtimes are
linked in. The viewer window of logora.exe and the dialog of vettle.exe need
Qt 6 for Windows and are not part of this build.
TEXT
  rm -f "dist/$name.zip"
  (cd "$stage" && zip -qr -X "$OLDPWD/dist/$name.zip" "$name")
  rm -rf "$stage"
  echo "package-windows: dist/$name.zip"
done
