#!/usr/bin/env bash
# Installs the build tree into a scratch prefix and validates what a desktop reads from it.
set -euo pipefail
build=$1
destino=$(mktemp -d)
trap 'rm -rf "$destino"' EXIT
cmake --install "$build" --prefix "$destino/usr" >/dev/null
id=es.quorvel.electricos
for f in bin/quorvel share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
    [ -e "$destino/usr/$f" ] || { echo "falta $f en la instalación"; exit 1; }
done
desktop-file-validate "$destino/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$destino/usr/share/metainfo/$id.metainfo.xml"
echo "instalación válida"
