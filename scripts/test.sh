#!/bin/sh
# Installs what is missing, builds Quorvale with its tests and runs them all.
#   scripts/test.sh              the normal build (build/)
#   scripts/test.sh --sanitize   the same tests with AddressSanitizer and UBSan (build-asan/)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"

if [ "${1:-}" = "--sanitize" ]; then
    dir="$here/build-asan"
    "$here/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Debug -DQUORVALE_SANITIZE=ON -DQUORVALE_BUILD_BENCH=OFF
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp"
else
    dir="$here/build"
    "$here/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVALE_WERROR=ON
fi
cd "$dir"
ctest --output-on-failure -j2
