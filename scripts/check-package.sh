#!/bin/sh
# Builds the Debian package, installs it on this machine with apt (which
# brings its dependencies) and checks that the installed programs run: the
# command-line status on a fresh data directory, the shipped draw history,
# the desktop entry.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
dir="$here/build-package"
"$here/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DQUORVALE_BUILD_TESTS=OFF -DQUORVALE_BUILD_BENCH=OFF
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/quorvale_*.deb | head -n 1)
echo "Paquete: $deb"
dpkg-deb --field "$deb" Package Version Depends

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "$deb" >/dev/null

data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
out=$(/usr/bin/quorvale-cli --data-dir "$data" status --json)
echo "$out"
echo "$out" | grep -q '"draws": 0' || { echo "quorvale-cli status did not run from the package" >&2; exit 1; }
test -s /usr/share/quorvale/numeros.dat || { echo "the draw history is missing" >&2; exit 1; }
/usr/bin/quorvale-cli --data-dir "$data" import /usr/share/quorvale/numeros.dat 2>/dev/null
/usr/bin/quorvale-cli --data-dir "$data" status --json | grep -q '"draws": 1114' || { echo "the shipped history does not import" >&2; exit 1; }
test -f /usr/share/applications/quorvale.desktop
test -f /usr/share/icons/hicolor/scalable/apps/quorvale.svg
test -f /usr/share/metainfo/io.github.quorvale.Quorvale.metainfo.xml
echo "El paquete se instala y funciona."
