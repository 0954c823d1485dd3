#!/usr/bin/env bash
# debian-packages.sh <packages folder> <vell-gen> <integrity-csv>
# Checks the Debian packages that scripts/package-debian.sh built: what each
# one holds and depends on; unpacked into a scratch root (dpkg -x), the
# installed programs run there, the batch program of logora-cli without Qt;
# lintian --pedantic reports nothing.
set -euo pipefail
out=$(realpath "$1")
vell_gen=$2
integrity_csv=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C.UTF-8 TZ=UTC HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config

fail() { echo "FAIL: $*" >&2; exit 1; }

packages="libguidara-dev libguidara1 libordil-dev libordil1 logora logora-cli python3-logora vettle"
made=$(cd "$out" && ls ./*.deb | sed 's|^\./||; s/_.*//' | grep -v -- '-dbgsym$' | sort | tr '\n' ' ')
[ "$made" = "$packages " ] || fail "expected the packages $packages, found $made"
debs=()
for package in $packages; do debs+=("$out/${package}"_*.deb); done

# Package name, then files it must hold (paths below /usr, * for the
# library's architecture folder).
expect() {
  local package=$1 deb listing
  shift
  deb=$(ls "$out/${package}"_*.deb 2>/dev/null) || fail "no package $package"
  listing=$(dpkg-deb -c "$deb")
  for file in "$@"; do
    grep -Eq " \./usr/${file//\*/[^ ]*}( |$)" <<<"$listing" || fail "$package lacks /usr/$file"
  done
}
expect logora bin/logora libexec/logora/logora-viewer share/man/man1/logora.1.gz share/applications/logora.desktop share/mime/packages/logora.xml \
  share/icons/hicolor/scalable/apps/logora.svg share/Tarrow/Help/Logora/Help/2001.htm share/doc/logora/copyright \
  share/doc/logora/examples/logora-convert.timer share/zsh/vendor-completions/_logora
expect logora-cli bin/logora share/man/man1/logora.1.gz share/fish/vendor_completions.d/logora.fish
expect vettle bin/vettle libexec/vettle/vettle-dialog share/man/man1/vettle.1.gz share/bash-completion/completions/vettle \
  share/Tarrow/Help/Vettle/Help/1001.htm
expect libordil1 'lib/*/libordil.so.1' share/doc/libordil1/copyright
expect libordil-dev 'lib/*/libordil.so' include/ordil/ordil.h 'lib/*/pkgconfig/ordil.pc' 'lib/*/cmake/Ordil/OrdilConfig.cmake'
expect libguidara1 'lib/*/libguidara.so.1'
expect libguidara-dev 'lib/*/libguidara.so' include/guidara/guidara.h 'lib/*/pkgconfig/guidara.pc'
field() { dpkg-deb -f "$out/$1"_*.deb "$2"; }
grep -q '^libordil1 (= ' <<<"$(field libordil-dev Depends)" || fail "libordil-dev does not depend on libordil1"
grep -q 'libc6' <<<"$(field logora Depends)" || fail "logora's dependencies were not computed"
! grep -qi 'qt6' <<<"$(field logora-cli Depends)" || fail "logora-cli depends on Qt: $(field logora-cli Depends)"
[ "$(field libordil1 Multi-Arch)" = same ] || fail "libordil1 is not Multi-Arch: same"
for lib in libordil1 libguidara1; do
  # Listed whole first: grep -q ends at its match, and a tar still writing
  # would die of SIGPIPE and fail the pipeline.
  control=$(dpkg-deb --ctrl-tarfile "$out/${lib}"_*.deb | tar -t)
  grep -qx '\./symbols' <<<"$control" || fail "$lib has no symbols file"
done
expect python3-logora 'lib/python3/dist-packages/logora.*.so' share/doc/python3-logora/copyright
grep -q 'python3-numpy' <<<"$(field python3-logora Depends)" ||
  fail "python3-logora does not depend on python3-numpy"

root=$scratch/root
for deb in "${debs[@]}"; do [[ $deb == */logora-cli_* ]] || dpkg -x "$deb" "$root"; done
dpkg -x "$out"/logora-cli_*.deb "$scratch/cli"
mkdir "$scratch/in" && "$vell_gen" samples "$scratch/in" >/dev/null
"$root/usr/bin/logora" /md /tz8 "$scratch/in/sample.log" "$scratch/sample.csv" || fail "installed logora: status $?"
[ -s "$scratch/sample.csv" ] || fail "installed logora wrote no CSV"
# A window: the installed logora runs its viewer, which reports the missing input.
(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$root/usr/bin/logora" missing.log >/dev/null 2>&1) && status=0 || status=$?
[ "$status" = 1 ] || fail "installed logora with a missing input for its viewer: status $status, not the viewer's 1"
"$scratch/cli/usr/bin/logora" /md /tz8 "$scratch/in/sample.log" "$scratch/cli.csv" || fail "logora of logora-cli: status $?"
cmp -s "$scratch/sample.csv" "$scratch/cli.csv" || fail "the two builds of logora write other bytes"
"$integrity_csv" --rows 5 -o "$scratch/log.csv" >/dev/null
# The whole report first: grep -q stops at its match, and under pipefail the
# write that then meets a closed pipe would fail the check.
report=$("$root/usr/bin/vettle" -i "$scratch/log.csv") || fail "installed vettle: status $?"
grep -q "Passed" <<<"$report" || fail "installed vettle did not pass an intact log: $report"
# Without arguments the installed vettle runs its dialog, which stays open.
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/vettle" >/dev/null 2>&1 && status=0 || status=$?
[ "$status" = 124 ] || fail "installed vettle without arguments: status $status, its dialog did not stay open"
rows=$(PYTHONPATH=$root/usr/lib/python3/dist-packages /usr/bin/python3 -c \
  'import sys, logora; print(len(logora.read(sys.argv[1], tz=8)))' "$scratch/in/sample.log") ||
  fail "the installed Python module could not read a datalog"
[ "$rows" = 40 ] || fail "the installed Python module read $rows rows of 40"

if command -v lintian >/dev/null; then
  report=$(lintian --pedantic --fail-on error,warning,info,pedantic "$out"/*.changes 2>&1) || fail "lintian: $report"
else
  echo "skipped: lintian check (lintian is not installed)"
fi
echo "debian packages: all checks passed"
