#!/bin/sh
# Installs what is missing, builds Quorvale and starts it.
#
# Without --data-dir it starts on a demo data directory, made on first use:
# the whole draw history shipped with the program and two example peñas
# created on 29/12/2024, so that there are results to look at. Without a
# display it says so and prints the status from the command-line front end.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DQUORVALE_BUILD_TESTS=OFF -DQUORVALE_BUILD_BENCH=OFF

bin="$here/build-release"
cli="$bin/cli/quorvale-cli"

case " $* " in
*" --data-dir"*) ;;
*)
    demo="${XDG_DATA_HOME:-$HOME/.local/share}/quorvale-demo"
    if [ ! -s "$demo/numeros.dat" ]; then
        echo "Preparando los datos de demostración en $demo ..."
        "$here/scripts/make-demo.sh" "$bin" "$demo"
    fi
    set -- --data-dir "$demo" "$@"
    ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No hay pantalla (DISPLAY no está definido): se muestra el estado con quorvale-cli."
    exec "$cli" "$@" status
fi
exec "$bin/app/quorvale" "$@"
