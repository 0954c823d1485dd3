# Sourced by the scripts that run Windows programs under Wine. Sets
# wine32_runs to "yes", or to "no: <why>" when 32-bit programs cannot run
# here. Some machines' kernels cannot start 32-bit programs at all (no IA-32
# emulation): Debian's wine then fails for 64-bit programs too, as it starts
# its 32-bit loader first, so the 64-bit loader is put first on the PATH.
wine32_runs=yes
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  wine32_runs="no: wine32 is not installed (scripts/build-windows.sh installs it)"
elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine32_runs="no: this machine's kernel cannot start 32-bit programs"
  PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64-only:$PATH"
  export PATH
fi
