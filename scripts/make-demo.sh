#!/bin/sh
# Makes a demo data directory: two example peñas, one simple and one
# multiple, created on the draw day before the last 85 draws of the shipped
# history, so that they have played 86 draws counting their first. The
# draws arrive one by one, as weekly downloads would bring them, so that the
# peñas' prize counters fill exactly as they would have in real use.
#   scripts/make-demo.sh BUILD_DIR DATA_DIR
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$1
demo=$2
cli="$bin/cli/quorvale-cli"
history="$bin/share/quorvale/numeros.dat"
played=85

mkdir -p "$demo"
total=$(( $(stat -c %s "$history") / 24 ))
first=$(( total - played ))
head -c $(( first * 24 )) "$history" > "$demo/numeros.dat"
created=$("$cli" --data-dir "$demo" draws --json | grep '"date"' | tail -n 1 | sed 's/.*"\([0-9-]*\)".*/\1/')

"$cli" --data-dir "$demo" --today "$created" create --name "LOS DEL BAR" --key 7 \
    --bet 3,12,25,33,48 --bet 7,14,21,28,35 --bet 1,9,17,40,52 --bet 6,18,27,39,45 >/dev/null
"$cli" --data-dir "$demo" --today "$created" create --name "FAMILIA GARCÍA" --key 4 \
    --multiple 5,11,19,23,30,38,44,51 >/dev/null

n=$first
while [ "$n" -lt "$total" ]; do
    n=$(( n + 1 ))
    head -c $(( n * 24 )) "$history" > "$demo/numeros.dat.new"
    mv "$demo/numeros.dat.new" "$demo/numeros.dat"
    # Every start checks the newest draw and counts its prizes.
    "$cli" --data-dir "$demo" status >/dev/null
done
# The real prize reports the project knows (January and December 2025), so
# the money of the peñas has figures to show.
cp "$here/data/demo-premios.json" "$demo/premios.json"
# Three members share the first peña, 2, 1 and 1 shares.
for member in "Ana María:2" "Luis:1" "Eva:1"; do
    "$cli" --data-dir "$demo" members --syndicate 1 --add "${member%:*}" --shares "${member#*:}" >/dev/null
done
