#!/bin/sh
# Configures and builds one tree: scripts/build.sh BUILD_DIR [cmake options...]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir"
