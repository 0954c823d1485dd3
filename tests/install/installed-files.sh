#!/usr/bin/env bash
# installed-files.sh <build dir> <source dir>
# Installs the build into a scratch root and uses it as another project and a
# desktop would: a C program built against ordil through pkg-config, a CMake
# project that finds both libraries, the man pages, the desktop, metainfo and
# MIME files, and the shell completion. Checks whose tool is missing are
# skipped with the reason printed.
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C.UTF-8 TZ=UTC HOME=$scratch/home

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "skipped: $*"; }

root=$scratch/root
DESTDIR=$root cmake --install "$build" >/dev/null
prefix=$root$(cmake -L -N "$build" | sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p')
pcfile=$(find "$root" -name ordil.pc)
[ -n "$pcfile" ] || fail "ordil.pc is not installed"
libdir=$(dirname "$(dirname "$pcfile")")
for file in "$libdir/libordil.so.1" "$libdir/libguidara.so.1" "$libdir/libordil.so" "$libdir/libguidara.so" \
  "$prefix/include/ordil/ordil.h" "$prefix/include/guidara/guidara.h" "$libdir/pkgconfig/guidara.pc"; do
  [ -e "$file" ] || fail "not installed: ${file#"$root"}"
done

# pkg-config: the header test of the library, compiled as a stranger would.
export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$libdir/pkgconfig
# shellcheck disable=SC2046
cc -std=c11 -o "$scratch/c_header_test" "$source/tests/ordil/exports/c_header_test.c" \
  $(pkg-config --cflags --libs ordil) || fail "C program against ordil through pkg-config does not build"
LD_LIBRARY_PATH=$libdir "$scratch/c_header_test" || fail "C program against the installed ordil fails"
# Installed with another prefix, the .pc files point at that installation.
cmake --install "$build" --prefix "$scratch/moved" >/dev/null
moved_pc=$(dirname "$(find "$scratch/moved" -name ordil.pc)")
(unset PKG_CONFIG_SYSROOT_DIR && PKG_CONFIG_LIBDIR=$moved_pc pkg-config --cflags ordil) | grep -q "^-I$scratch/moved/" ||
  fail "ordil.pc of an installation under another prefix does not point at it"

# CMake packages: find_package(Ordil) and find_package(Guidara).
cmake -S "$source/tests/install/consumer" -B "$scratch/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null || fail "find_package of the installed libraries"
cmake --build "$scratch/consumer" >/dev/null || fail "program against the CMake packages does not build"
LD_LIBRARY_PATH=$libdir "$scratch/consumer/consumer" || fail "program against the CMake packages fails"

# Man pages: present and rendered by man without a warning.
for page in logora vettle; do
  file=$prefix/share/man/man1/$page.1.gz
  if [ ! -e "$file" ]; then
    command -v scdoc >/dev/null || { skip "man pages (scdoc is not installed)"; break; }
    fail "man page $page.1 is not installed"
  fi
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man -l $page.1: $warnings"
  grep -q -- "--help" <<<"$(MANWIDTH=80 man -l "$file")" || fail "man page $page.1 does not name --help"
done

# Desktop integration.
share=$prefix/share
desktop=$share/applications/logora.desktop
if [ -e "$desktop" ]; then
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" | grep -E "error|warning" && fail "desktop-file-validate logora.desktop"
  else
    skip "desktop file check (desktop-file-validate is not installed)"
  fi
  appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml)"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -e "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "application icon $icon.svg is not installed"
fi

# MIME types: no type of the shared database is defined again, every type
# has its icon, and the signatures name the type of a file whatever its name.
ours=$share/mime/packages/logora.xml
shared=/usr/share/mime/packages/freedesktop.org.xml
types=$(grep -o '<mime-type type="[^"]*"' "$ours" | cut -d'"' -f2)
for type in $types; do
  [ ! -e "$shared" ] || ! grep -q "<mime-type type=\"$type\"" "$shared" || fail "$type is already in the shared MIME database"
  [ -e "$share/icons/hicolor/scalable/mimetypes/${type/\//-}.svg" ] || fail "no document icon for $type"
done
if command -v update-mime-database >/dev/null && command -v gio >/dev/null && [ -e "$shared" ]; then
  mkdir -p "$scratch/mime/packages"
  cp "$shared" "$ours" "$scratch/mime/packages/"
  XDG_DATA_HOME=$scratch XDG_DATA_DIRS=$scratch PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$scratch/mime" 2>&1 | grep . && fail "update-mime-database refuses logora.xml"
  printf 'Plivanterra datalogger data file.\0\016\0' >"$scratch/process.log"
  printf 'Plivanterra datalogger tag file.\0\0Y\0' >"$scratch/x.bin"
  printf 'an ordinary text log\n' >"$scratch/plain.log"
  printf 'hi\n' >"$scratch/notes.dat"
  { printf '\003\030\001\017'; head -c 28 /dev/zero; printf 'Date\0'; } >"$scratch/Plant(1).DAT"
  mime_of() { XDG_DATA_HOME=$scratch XDG_DATA_DIRS=$scratch gio info -a standard::content-type "$1" |
    sed -n 's/.*standard::content-type: //p'; }
  [ "$(mime_of "$scratch/process.log")" = application/x-vell-datalog ] || fail "a Vell datalog is $(mime_of "$scratch/process.log")"
  [ "$(mime_of "$scratch/x.bin")" = application/x-vell-tag-file ] || fail "a tag file by its bytes is $(mime_of "$scratch/x.bin")"
  [ "$(mime_of "$scratch/plain.log")" = text/x-log ] || fail "a text log is $(mime_of "$scratch/plain.log")"
  [ "$(mime_of "$scratch/Plant(1).DAT")" = application/x-zarn-datalog ] || fail "a Zarn datalog is $(mime_of "$scratch/Plant(1).DAT")"
  [ "$(mime_of "$scratch/notes.dat")" = text/plain ] || fail "any .dat file is $(mime_of "$scratch/notes.dat")"
else
  skip "MIME type check (shared-mime-info or gio is not installed)"
fi

# Bash completion: the installed file completes options and input files.
completion=$share/bash-completion/completions
mkdir -p "$scratch/files" && touch "$scratch/files/a.LOG" "$scratch/files/b.txt"
result=$(cd "$scratch/files" && bash -c '
  source "$1"; source "$2"
  COMP_WORDS=(logora --fo); COMP_CWORD=1; _logora; printf "%s " "${COMPREPLY[@]}"
  COMP_WORDS=(logora ""); COMP_CWORD=1; _logora; printf "%s " "${COMPREPLY[@]}"
  COMP_WORDS=(vettle -i x.csv -o ""); COMP_CWORD=4; _vettle; printf "%s " "${COMPREPLY[@]}"' \
  _ "$completion/logora" "$completion/vettle")
[ "$result" = "--format a.LOG - b.txt " ] || fail "bash completion gives '$result'"
# Fish and zsh: fish completes from the installed file, zsh reads it.
if command -v fish >/dev/null; then
  result=$(cd "$scratch/files" && fish -c "source '$share/fish/vendor_completions.d/logora.fish'; complete -C 'logora --fo'; complete -C 'logora a.'" | cut -f1 | tr '\n' ' ')
  [ "$result" = "--format a.LOG " ] || fail "fish completion gives '$result'"
else
  skip "fish completion (fish is not installed)"
fi
if command -v zsh >/dev/null; then
  for program in logora vettle; do
    zsh -n "$share/zsh/vendor-completions/_$program" || fail "zsh cannot read the completion of $program"
  done
else
  skip "zsh completion (zsh is not installed)"
fi
# The example of unattended runs is a service and timer systemd takes.
examples=$share/doc/logora/examples
if command -v systemd-analyze >/dev/null; then
  systemd-analyze verify --man=no "$examples/logora-convert.service" "$examples/logora-convert.timer" ||
    fail "systemd refuses the example service or timer"
else
  skip "example service (systemd-analyze is not installed)"
fi
echo "installed files: all checks passed"
