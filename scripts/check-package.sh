#!/bin/sh
# Builds the Debian package, checks it with lintian (an error fails, a
# warning is shown), installs it on this machine with apt (which brings its
# dependencies) and checks what was installed: the command-line status on a
# fresh data directory, the shipped draw history, the desktop entry, the
# manual pages, the HTML guide with its pictures and the systemd user units.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
dir="$here/build-package"
"$here/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DQUORVALE_BUILD_TESTS=OFF -DQUORVALE_BUILD_BENCH=OFF
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/quorvale_*.deb | head -n 1)
echo "Paquete: $deb"
dpkg-deb --field "$deb" Package Version Section Maintainer Depends

# At lintian's default level: errors and warnings. Its complaint about
# running as root, which this script usually does, is left out.
status=0
lint=$(lintian --fail-on error "$deb" 2>&1) || status=$?
lint=$(echo "$lint" | grep -v "running with root privileges" || true)
if [ "$status" -ne 0 ]; then
    echo "$lint" >&2
    echo "lintian finds errors in the package" >&2
    exit 1
fi
if [ -n "$lint" ]; then
    echo "lintian:"
    echo "$lint"
else
    echo "lintian: sin errores ni avisos"
fi

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
man -w quorvale-cli >/dev/null && man -w quorvale >/dev/null && man -P cat quorvale-cli 2>/dev/null | grep -q "update" || { echo "the manual pages are missing" >&2; exit 1; }
# The NAME line must read as written, accents included.
zcat /usr/share/man/man1/quorvale-cli.1.gz | grep -q "una orden en cada ejecución" || { echo "the manual page's NAME line is garbled" >&2; exit 1; }
doc=/usr/share/doc/quorvale
test -s "$doc/guia.html" || { echo "the HTML guide is missing" >&2; exit 1; }
for picture in $(grep -o 'src="[^"]*"' "$doc/guia.html" | sed 's/^src="//; s/"$//'); do
    test -s "$doc/$picture" || { echo "the guide's picture $picture is missing" >&2; exit 1; }
done
test -f "$doc/copyright" && test -f "$doc/changelog.gz"
units=/usr/lib/systemd/user
test -f "$units/quorvale-update.service" && test -f "$units/quorvale-update.timer"
if command -v systemd-analyze >/dev/null 2>&1; then
    # A user manager of its own, so that this works without a login session.
    runtime=$(mktemp -d)
    XDG_RUNTIME_DIR="$runtime" systemd-analyze verify --user "$units/quorvale-update.timer" "$units/quorvale-update.service" \
        || { rm -rf "$runtime"; echo "systemd-analyze finds faults in the user units" >&2; exit 1; }
    rm -rf "$runtime"
fi
echo "El paquete se instala y funciona."
