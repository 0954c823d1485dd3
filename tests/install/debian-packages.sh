#!/usr/bin/env bash
# debian-packages.sh <build dir> <vell-gen> <integrity-csv>
# Builds the Debian packages of the build, checks what each one holds and
# depends on, unpacks them into a scratch root (dpkg -x) and runs the
# installed programs there; lintian must report no error. Exits 77 (skipped)
# when the build does not install to /usr, as packages must.
set -euo pipefail
build=$(realpath "$1")
vell_gen=$2
integrity_csv=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C.UTF-8 TZ=UTC HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$(cmake -L -N "$build" | sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p')
if [ "$prefix" != /usr ]; then
  echo "skipped: the build installs to $prefix, packages need -DCMAKE_INSTALL_PREFIX=/usr"
  exit 77
fi

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(tail -n 20 "$scratch/cpack.log")"
debs=("$scratch"/out/*.deb)
# python3-logora where the build has the Python module.
python_module=$(ls "$build"/python/logora.*.so 2>/dev/null || true)
expected=5
[ -z "$python_module" ] || expected=6
[ ${#debs[@]} -eq "$expected" ] || fail "expected $expected packages, cpack made: ${debs[*]##*/}"

# Package name, then files it must hold (paths below /usr, * for the
# library's architecture folder).
expect() {
  local package=$1 deb listing
  shift
  deb=$(ls "$scratch"/out/"${package}"_*.deb 2>/dev/null) || fail "no package $package"
  listing=$(dpkg-deb -c "$deb")
  for file in "$@"; do
    grep -Eq " \./usr/${file//\*/[^ ]*}( |$)" <<<"$listing" || fail "$package lacks /usr/$file"
  done
}
expect logora bin/logora bin/vettle share/man/man1/logora.1.gz share/man/man1/vettle.1.gz \
  share/applications/logora.desktop share/mime/packages/logora.xml share/icons/hicolor/scalable/apps/logora.svg \
  share/bash-completion/completions/vettle share/Tarrow/Help/Vettle/Help/1001.htm share/doc/logora/copyright
expect libordil1 'lib/*/libordil.so.1' share/doc/libordil1/changelog.gz
expect libordil-dev 'lib/*/libordil.so' include/ordil/ordil.h 'lib/*/pkgconfig/ordil.pc' 'lib/*/cmake/Ordil/OrdilConfig.cmake'
expect libguidara1 'lib/*/libguidara.so.1'
expect libguidara-dev 'lib/*/libguidara.so' include/guidara/guidara.h 'lib/*/pkgconfig/guidara.pc'
grep -q '^libordil1 (= ' <<<"$(dpkg-deb -f "$scratch"/out/libordil-dev_*.deb Depends)" || fail "libordil-dev does not depend on libordil1"
grep -q 'libc6' <<<"$(dpkg-deb -f "$scratch"/out/logora_*.deb Depends)" || fail "logora's dependencies were not computed"
if [ -n "$python_module" ]; then
  expect python3-logora "lib/python3/dist-packages/${python_module##*/}" share/doc/python3-logora/copyright
  grep -q 'python3-numpy' <<<"$(dpkg-deb -f "$scratch"/out/python3-logora_*.deb Depends)" ||
    fail "python3-logora does not depend on python3-numpy"
fi

root=$scratch/root
for deb in "${debs[@]}"; do dpkg -x "$deb" "$root"; done
mkdir "$scratch/in" && "$vell_gen" samples "$scratch/in" >/dev/null
"$root/usr/bin/logora" /md /tz8 "$scratch/in/sample.log" "$scratch/sample.csv" || fail "installed logora: status $?"
[ -s "$scratch/sample.csv" ] || fail "installed logora wrote no CSV"
"$integrity_csv" --rows 5 -o "$scratch/log.csv" >/dev/null
# The whole report first: grep -q stops at its match, and under pipefail the
# write that then meets a closed pipe would fail the check.
report=$("$root/usr/bin/vettle" -i "$scratch/log.csv") || fail "installed vettle: status $?"
grep -q "Passed" <<<"$report" || fail "installed vettle did not pass an intact log: $report"
if [ -n "$python_module" ]; then
  rows=$(PYTHONPATH=$root/usr/lib/python3/dist-packages /usr/bin/python3 -c \
    'import sys, logora; print(len(logora.read(sys.argv[1], tz=8)))' "$scratch/in/sample.log") ||
    fail "the installed Python module could not read a datalog"
  [ "$rows" = 40 ] || fail "the installed Python module read $rows rows of 40"
fi

if command -v lintian >/dev/null; then
  report=$(lintian --fail-on error "${debs[@]}" 2>&1) || fail "lintian: $report"
else
  echo "skipped: lintian check (lintian is not installed)"
fi
echo "debian packages: all checks passed"
