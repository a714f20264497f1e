#!/bin/sh
# Takes the user guide's screenshots from the real windows under Xvfb, on a
# fresh demo data directory, into docs/img/.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DQUORVALE_BUILD_TESTS=OFF -DQUORVALE_BUILD_BENCH=OFF
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
"$here/scripts/make-demo.sh" "$here/build-release" "$demo"
xvfb-run -a -s "-screen 0 1280x900x24" "$here/build-release/tools/screenshots" "$demo" "$here/docs/img" --today 2026-08-20
# The report tab shows the newest draw's report, and the demo's newest draws
# have none: its picture comes from a copy of the demo that ends at the last
# draw whose real report the demo carries (28/12/2025).
reported=$(mktemp -d)
shots=$(mktemp -d)
trap 'rm -rf "$demo" "$reported" "$shots"' EXIT
cp "$demo"/* "$reported"/
record=$("$here/build-release/cli/quorvale-cli" --data-dir "$demo" draws --json \
    | grep -A 9 '"date": "2025-12-28"' | grep '"record"' | sed 's/[^0-9]//g')
head -c $(( record * 24 )) "$demo/numeros.dat" > "$reported/numeros.dat"
xvfb-run -a -s "-screen 0 1280x900x24" "$here/build-release/tools/screenshots" "$reported" "$shots" --today 2025-12-30
cp "$shots/ultimo-sorteo.png" "$here/docs/img/ultimo-sorteo.png"
"$here/build-release/cli/quorvale-cli" --data-dir "$demo" print --syndicate 1 --plain --pdf "$demo/llano.pdf" >/dev/null
pdftoppm -png -r 50 -f 1 -l 1 "$demo/llano.pdf" "$here/docs/img/impreso-llano"

# The tabs and the manager's pages at small, common and doubled sizes, one
# picture per size, to check that everything fits (docs/img/pantallas-*.png).
# Doubled, the window is on a 1366x768 laptop screen and takes the size it
# takes there by itself.
for size in 800x600 1024x640 1366x768 2x; do
    out=$(mktemp -d)
    if [ "$size" = 2x ]; then
        QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1366x768x24" "$here/build-release/tools/screenshots" "$demo" "$out" \
            --today 2026-08-20 >/dev/null
    else
        xvfb-run -a -s "-screen 0 1400x900x24" "$here/build-release/tools/screenshots" "$demo" "$out" \
            --today 2026-08-20 --size "$size" >/dev/null
    fi
    montage "$out/general-sencillas.png" "$out/ultimo-sorteo.png" "$out/gestor.png" "$out/gestor-dinero.png" \
        "$out/gestor-socios.png" "$out/estadisticas.png" \
        -tile 2x3 -geometry +4+4 -background '#888888' "$here/docs/img/pantallas-$size.png"
    rm -rf "$out"
done
