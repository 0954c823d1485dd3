#!/usr/bin/env bash
# msi-under-wine.sh <win64|win32>
# The Windows installer as an administrator meets it, in a new Wine prefix:
# this build's package with every feature (msiexec /i ... /qn): its programs
# are found on the PATH and convert a datalog to the bytes of the Linux
# build, vettle checks a log, the help library finds its pages through the
# help folder value; a newer package replaces it; then msiexec /x removes
# every file, menu entry and value. Run from
# the source folder after scripts/build.sh, scripts/build-windows.sh and
# scripts/package-msi.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
target=$1
version=$(sed -n 's/^project(logora-suite VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
msi=dist/logora-suite-$version-$target.msi
[ -f "$msi" ] || { echo "FAIL: $msi is missing: run scripts/package-msi.sh" >&2; exit 1; }

source scripts/wine-loader.sh
if [ "$target" = win32 ] && [[ $wine32_runs == "no: this machine's kernel"* ]]; then
  echo "msi-under-wine ($target): not run: ${wine32_runs#no: }" >&2
  exit 0
fi

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all TZ=UTC LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
fail() { echo "FAIL ($target): $*" >&2; exit 1; }

# One server for the whole run, started before the prefix is made.
mkdir -p "$WINEPREFIX"
wineserver -p
wine wineboot --init >/dev/null 2>&1
# The user's short date of the C locale, which the Linux run has.
wine reg add 'HKCU\Control Panel\International' /v sShortDate /d MM/dd/yyyy /f >/dev/null 2>&1
if [ "$target" = win64 ]; then
  installed="$WINEPREFIX/drive_c/Program Files/Logora Suite"
  windows_dir='C:\Program Files\Logora Suite\'
  view=/reg:64
else
  installed="$WINEPREFIX/drive_c/Program Files (x86)/Logora Suite"
  windows_dir='C:\Program Files (x86)\Logora Suite\'
  view=/reg:32
fi
registry() { wine reg query "$@" 2>/dev/null | tr -d '\r' || true; }
environment_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
help_key='HKLM\SOFTWARE\Tarrow Software\Setup\Default\Common'
products() { registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "$@" | grep -c "DisplayName.*Logora Suite" || true; }
installed_products() { echo $(($(products /reg:64) + $(products /reg:32))); }
menu_entries() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Logora Suite/*.lnk' | wc -l; }

wine msiexec /i "$msi" ADDLOCAL=ALL /qn || fail "msiexec /i $msi failed"
[ "$(installed_products)" = 1 ] || fail "the package is not registered"
for file in logora.exe vettle.exe ordil.dll guidara.dll README.txt help/Logora/Help/2001.htm \
  help/Vettle/Help/1001.htm include/ordil.h include/guidara.h lib/ordil.lib lib/guidara.lib; do
  [ -f "$installed/$file" ] || fail "not installed: $file"
done
[ "$(menu_entries)" = 3 ] || fail "the Start menu holds $(menu_entries) entries, not 3"
registry "$environment_key" /v PATH | grep -qF "$windows_dir" || fail "the programs' folder is not on the PATH"
registry "$help_key" /v KestraCommonHelpDir "$view" | grep -qF "${windows_dir}help\\" ||
  fail "no help folder value in the registry view of the package's programs"

# The installed programs, found on the PATH of a new session.
wineserver -k
wineserver -w
wineserver -p
samples=$work/samples
scripts/make-samples.sh build "$samples" >/dev/null
(cd "$samples/vell" && wine cmd /c 'logora.exe /md sample.log windows.csv' >/dev/null 2>&1) ||
  fail "logora.exe from the PATH does not convert"
build/logora/app/logora /md "$samples/vell/sample.log" "$work/linux.csv" >/dev/null 2>&1
cmp -s "$samples/vell/windows.csv" "$work/linux.csv" || fail "the installed logora.exe writes other bytes than Linux"
build/tools/integrity-csv/integrity-csv --rows 20 -o "$work/day1.csv"
(cd "$work" && wine cmd /c 'vettle.exe -i day1.csv' >"$work/vettle.txt" 2>&1) ||
  fail "vettle.exe does not pass an untouched log: $(cat "$work/vettle.txt")"

# The help library opens its page from the folder the installer named; the
# shell's handler of web pages is replaced by one that writes down its file.
wine reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
wine reg add 'HKCR\htmlfile\shell\open\command' /ve /d 'C:\windows\system32\cmd.exe /c echo %1> C:\opened.txt' /f >/dev/null 2>&1
cp "build-$target/bin/guidara_help_probe.exe" "$work/"
# A page named with forward slashes opens by the same path, in one style.
for page in 'Logora\Help\2001.htm' 'Logora/Help/2001.htm'; do
  rm -f "$WINEPREFIX/drive_c/opened.txt"
  (cd "$work" && wine cmd /c "guidara_help_probe.exe $page" >/dev/null 2>&1) || fail "the help probe failed"
  for _ in $(seq 50); do [ -s "$WINEPREFIX/drive_c/opened.txt" ] && break; sleep 0.1; done
  grep -qiF "${windows_dir}help\\Logora\\Help\\2001.htm" "$WINEPREFIX/drive_c/opened.txt" ||
    fail "for $page the help page opened is $(cat "$WINEPREFIX/drive_c/opened.txt" 2>/dev/null || echo none)"
done

# A newer package replaces this one in place. (Wine leaves an empty entry
# where the removed folder stood on the PATH, at which its command prompt
# stops looking: the programs were run from the PATH before this.)
scripts/package-msi.sh --version 99.0.0 --out "$work/newer" --target "$target" >/dev/null
newer=$work/newer/logora-suite-99.0.0-$target.msi
wine msiexec /i "$newer" ADDLOCAL=ALL /qn || fail "the newer package does not install over this one"
[ "$(installed_products)" = 1 ] || fail "the older version was not replaced: $(installed_products) products"
registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64 | grep -q "DisplayVersion.*99.0.0" ||
  registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:32 | grep -q "DisplayVersion.*99.0.0" ||
  fail "the newer version is not the one registered"
[ -f "$installed/logora.exe" ] || fail "the upgrade lost logora.exe"

wine msiexec /x "$newer" /qn || fail "msiexec /x failed"
[ ! -e "$installed" ] || fail "left behind: $(find "$installed" | head -5)"
[ "$(menu_entries)" = 0 ] || fail "Start menu entries left behind"
[ "$(installed_products)" = 0 ] || fail "still registered after removal"
! registry "$environment_key" /v PATH | grep -qF "Logora Suite" || fail "the PATH still names the programs' folder"
for v in /reg:64 /reg:32; do
  ! registry "$help_key" /v KestraCommonHelpDir "$v" | grep -q KestraCommonHelpDir || fail "the help folder value is left"
  ! registry 'HKLM\SOFTWARE\Kestra Applications\Logora Suite' "$v" | grep -q REG_ || fail "the install values are left"
done
echo "msi-under-wine ($target): installed, upgraded, used and removed"
