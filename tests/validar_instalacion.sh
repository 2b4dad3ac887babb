#!/usr/bin/env bash
# Builds the Debian package from the build tree, as the README's packaging command does, and
# checks it as the archive and a desktop would: lintian finds no error and no warning, and the
# desktop entry and metainfo validate as the package installs them.
set -euo pipefail
build=$(cd "$1" && pwd)
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
# cpack's own scratch files and the package go to the temporary folder, not the build tree.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$trabajo" >"$trabajo/cpack.log" 2>&1 ||
    { cat "$trabajo/cpack.log"; exit 1; }
paquetes=("$trabajo"/quorvel_*.deb)
[ ${#paquetes[@]} -eq 1 ] && [ -f "${paquetes[0]}" ] || { echo "cpack no dejó un paquete"; exit 1; }
deb=${paquetes[0]}

lintian --fail-on error,warning "$deb"

raiz=$trabajo/raiz
dpkg-deb -x "$deb" "$raiz"
id=es.quorvel.electricos
for f in bin/quorvel share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/man/man1/quorvel.1.gz share/doc/quorvel/copyright share/doc/quorvel/changelog.gz; do
    [ -e "$raiz/usr/$f" ] || { echo "falta $f en el paquete"; exit 1; }
done
desktop-file-validate "$raiz/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$raiz/usr/share/metainfo/$id.metainfo.xml"
echo "paquete válido: $(basename "$deb")"
