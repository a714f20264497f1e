#!/bin/sh
# Installs, from Debian 12's own archive, whatever the build, the tests, the
# package (its manual pages, HTML guide and lintian check) and the
# screenshots need and is not yet on this machine. Safe to run again.
set -eu

PACKAGES="cmake ninja-build g++ pkg-config \
qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-pdf-dev libqt6opengl6-dev \
libqt6pdfwidgets6 libqt6svg6 qt6-qpa-plugins \
fonts-liberation fonts-dejavu-core \
xvfb xauth x11-apps xdotool imagemagick poppler-utils openssl \
dpkg-dev file qt6-translations-l10n dbus-daemon \
cmark help2man lintian man-db"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Instalando paquetes:$missing"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
