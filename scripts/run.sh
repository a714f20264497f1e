#!/bin/sh
# Installs what is missing, builds Quorvale and starts it. Without a display
# it says so and prints the status from the command-line front end instead.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DQUORVALE_BUILD_TESTS=OFF -DQUORVALE_BUILD_BENCH=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No hay pantalla (DISPLAY no está definido): se muestra el estado con quorvale-cli."
    exec "$here/build-release/cli/quorvale-cli" status "$@"
fi
exec "$here/build-release/app/quorvale" "$@"
