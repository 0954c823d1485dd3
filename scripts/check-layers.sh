#!/usr/bin/env bash
# Static checks of where code lives; prints the files that break a rule and
# exits non-zero.
# - Files are opened, examined and named, and local time is asked, only in
#   platform/: there each system is given UTF-8 paths in the form it takes
#   (the wide API on Windows).
# - The input extensions are spelt out in at most one engine file, the one
#   that picks the converter by them.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

mapfile -t outside < <(grep -rlE 'std::fopen|[^_a-z]fopen\(|std::filesystem|<filesystem>|localtime_r' \
  logora vettle guidara common || true)
if [ ${#outside[@]} -gt 0 ]; then
  echo "check-layers: fopen, std::filesystem or localtime_r outside platform/ in:" >&2
  printf '  %s\n' "${outside[@]}" >&2
  status=1
fi

mapfile -t named < <(grep -rlE '"\.?(LOG|DAT|OBF|ALM|RPP)"' logora/engine || true)
if [ ${#named[@]} -gt 1 ]; then
  echo "check-layers: input extensions spelt out in more than one engine file:" >&2
  printf '  %s\n' "${named[@]}" >&2
  status=1
fi
exit $status
