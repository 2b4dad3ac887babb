#!/usr/bin/env bash
# Qt finds emscripten through an SDK folder: it reads the folder's .emscripten for the root
# of emscripten and runs the compiler found there. Debian installs emscripten without one;
# this makes one in the cache that points at Debian's, and prints its path.
#   tools/web/emsdk.sh CACHE
set -euo pipefail
sdk=$1/emsdk
if ! command -v emcc >/dev/null; then
    echo "FALLO: falta emscripten (paquete emscripten de Debian 13)" >&2
    exit 1
fi
mkdir -p "$sdk/upstream"
ln -sfn /usr/share/emscripten "$sdk/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" >"$sdk/.emscripten"
echo "$sdk"
