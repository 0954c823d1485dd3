#!/usr/bin/env bash
# Configures (once) and builds the project with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/, then runs every test there;
# any sanitizer report fails its test. Leaks inside system libraries are
# suppressed by tests/support/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
# -O1 keeps the build quick and the stacks readable; asserts stay on. The
# viewer is left out to keep the run short: the engine it drives, where the
# files are parsed, is all here.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
[ -f build-sanitize/build.ninja ] || cmake -S . -B build-sanitize -G Ninja -DSANITIZE=ON -DBUILD_UI=OFF \
  -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS="-O1 -g1" -DCMAKE_CXX_FLAGS="-O1 -g1" "${launcher[@]}"
cmake --build build-sanitize
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build-sanitize --output-on-failure -j2
