#!/usr/bin/env bash
# Converts the generated samples of every format with the Linux logora and
# with the 64-bit Windows logora.exe under Wine, in list and table form, and
# compares exit statuses and outputs byte for byte, then does the same for
# one --out-dir run over several inputs. Both runs see the same
# settings (none: the defaults) and the same time zone (UTC).
# Usage: scripts/same-bytes.sh [linux-build] [windows-build]
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build}
windows=${2:-build-win64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export TZ=UTC LC_ALL=C WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/logora-wine}
unset DISPLAY WAYLAND_DISPLAY

# The user's short date of the C locale, which Linux runs in, for Windows too.
wine reg add 'HKCU\Control Panel\International' /v sShortDate /d MM/dd/yyyy /f >/dev/null 2>&1

samples=$work/samples
scripts/make-samples.sh "$linux" "$samples"

# The arguments of one conversion of $1 (the output name comes last).
switches() {
  case "$1" in
    *.DAT | *.dat) echo /sd ;;
    *.log) echo /md ;;
    *.alm) echo /ma /4xx ;;
    *.dbf) echo /dbf ;;
    *) echo "" ;;
  esac
}

# Runs one program with the arguments after $2 in its own copy of the
# samples, so that neither sees the other's outputs; prints the exit status.
run() {
  local who=$1 dir=$2
  shift 2
  (
    cd "$dir"
    if [ "$who" = linux ]; then
      XDG_CONFIG_HOME=$work/config HOME=$work "$OLDPWD/$linux/logora/app/logora" "$@"
    else
      wine "$OLDPWD/$windows/bin/logora.exe" "$@"
    fi
  ) >/dev/null 2>&1 && echo 0 || echo $?
}

failures=0
count=0
for input in "$samples"/*/*.{DAT,log,alm,obf,rpp,dbf}; do
  [ -f "$input" ] || continue
  case "$input" in *"(Tagname)"*) continue ;; esac
  for form in list table; do
    extra=()
    [ "$form" = table ] && extra=(/table)
    for who in linux windows; do
      rm -rf "$work/$who" && cp -r "$(dirname "$input")" "$work/$who"
    done
    name=$(basename "$input")
    # shellcheck disable=SC2046
    linuxStatus=$(run linux "$work/linux" $(switches "$name") "${extra[@]}" "$name" out.csv)
    # shellcheck disable=SC2046
    windowsStatus=$(run windows "$work/windows" $(switches "$name") "${extra[@]}" "$name" out.csv)
    count=$((count + 1))
    if [ "$linuxStatus" != "$windowsStatus" ]; then
      echo "same-bytes: $name ($form): exit $linuxStatus on Linux, $windowsStatus on Windows" >&2
      failures=$((failures + 1))
    elif [ -f "$work/linux/out.csv" ] || [ -f "$work/windows/out.csv" ]; then
      if ! cmp -s "$work/linux/out.csv" "$work/windows/out.csv"; then
        echo "same-bytes: $name ($form): the outputs differ" >&2
        diff "$work/linux/out.csv" "$work/windows/out.csv" | head -8 >&2 || true
        failures=$((failures + 1))
      fi
    fi
  done
done

# One run over several inputs (a child process per input, two at a time):
# the same statuses and the same files in the output folder.
for who in linux windows; do
  mkdir -p "$work/many-$who"
  cp "$samples"/{zarn,vell,obf,recipe}/* "$work/many-$who"
done
inputs=()
for input in "$work/many-linux"/*.{DAT,log,obf,rpp}; do
  case "$input" in *"(Tagname)"*) ;; *) [ -f "$input" ] && inputs+=("$(basename "$input")") ;; esac
done
linuxStatus=$(run linux "$work/many-linux" --out-dir out --jobs 2 "${inputs[@]}")
windowsStatus=$(run windows "$work/many-windows" --out-dir out --jobs 2 "${inputs[@]}")
count=$((count + ${#inputs[@]}))
if [ "$linuxStatus" != "$windowsStatus" ]; then
  echo "same-bytes: --out-dir run: exit $linuxStatus on Linux, $windowsStatus on Windows" >&2
  failures=$((failures + 1))
elif ! diff -r "$work/many-linux/out" "$work/many-windows/out" >&2; then
  echo "same-bytes: --out-dir run: the outputs differ" >&2
  failures=$((failures + 1))
fi
echo "same-bytes: $count conversions compared, $failures differ"
[ "$failures" -eq 0 ]
