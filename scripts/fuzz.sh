#!/bin/sh
# Builds the libFuzzer harnesses with clang, AddressSanitizer and UBSan, and
# runs each for the given number of seconds (default 300) on the fixture
# pages as seeds. Findings are written to build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
"$here/scripts/install-deps.sh"
for p in clang-14 libclang-rt-14-dev; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends clang-14 libclang-rt-14-dev
        break
    fi
done
dir="$here/build-fuzz"
CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVALE_FUZZ=ON -DQUORVALE_SANITIZE=ON -DQUORVALE_BUILD_TESTS=OFF -DQUORVALE_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzz_results_page fuzz_draw_page fuzz_service_answer fuzz_draw_csv
mkdir -p "$dir/findings"
for name in fuzz_results_page fuzz_draw_page fuzz_service_answer fuzz_draw_csv; do
    corpus="$dir/corpus-$name"
    mkdir -p "$corpus"
    cp "$here"/tests/data/web/*.html "$here"/tests/data/service/*.json "$here"/data/gordo_draws.csv "$corpus"/ 2>/dev/null || true
    echo "== $name, ${seconds}s"
    ASAN_OPTIONS=detect_leaks=0 "$dir/fuzz/$name" "$corpus" -max_total_time="$seconds" -max_len=65536 \
        -artifact_prefix="$dir/findings/$name-" -print_final_stats=1 2>&1 | grep -E "stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Done" || true
done
ls "$dir/findings"
