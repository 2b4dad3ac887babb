#!/usr/bin/env bash
# Builds Qt for WebAssembly from Debian's own qt6-base source, with Debian's patches, using
# Debian's emscripten, into a cache folder outside the source tree; a finished build is
# reused. Static, without threads, with only what the program ships: Core, Gui, Widgets and
# the wasm platform plugin. Prints the Qt prefix, and nothing else, on standard output.
#   tools/web/qt.sh [CACHE]
set -euo pipefail
aqui=$(cd "$(dirname "$0")" && pwd)
cache=${1:-${QUORVEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel}}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
# Raise `opciones` whenever the options below change, so that a build kept from other
# options is not taken for this one.
opciones=1
prefix=$cache/qt-$version-wasm-o$opciones
mkdir -p "$cache"
exec 3>&1 1>&2
exec 9>"$cache/.cerrojo-wasm"
flock 9
# Qt's build and its wrapper for programs ask emscripten's SDK folder for the compiler.
export EMSDK
EMSDK=$("$aqui/emsdk.sh" "$cache")
if [ -f "$prefix/.completo" ]; then
    echo "$prefix" >&3
    exit 0
fi
debian=$("$aqui/../qt-fuente.sh" "$cache")
# Debian's source with this project's own patches on top (parches/, in the order of their
# names), in a copy of its own: the Windows build takes Debian's as it is.
fuente=$cache/qtbase-wasm-src
rm -rf "$fuente"
cp -a "$debian" "$fuente"
for parche in "$aqui"/parches/*.patch; do
    [ -e "$parche" ] || continue
    patch -d "$fuente" -p1 --batch --forward <"$parche"
done

obra=$cache/qt-obra-wasm
rm -rf "$obra"
mapas="-ffile-prefix-map=$fuente=qtbase -ffile-prefix-map=$obra=obra"
# OpenGL stays on: the platform plugin draws through WebGL. Off: every module and feature
# the program does not use, so that neither the build nor the download carries them.
CFLAGS="$mapas" CXXFLAGS="$mapas" cmake -S "$fuente" -B "$obra" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_thread=OFF -DFEATURE_pkg_config=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_sql_sqlite=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_gif=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF \
    -DFEATURE_graphicsview=OFF -DFEATURE_filedialog=OFF -DFEATURE_fontdialog=OFF \
    -DFEATURE_colordialog=OFF -DFEATURE_wizard=OFF
cmake --build "$obra" --parallel "$(nproc)"
cmake --install "$obra"
mkdir -p "$prefix/licencias"
cp "$fuente/LICENSES/LGPL-3.0-only.txt" "$prefix/licencias/Qt-LGPL-3.0.txt"
touch "$prefix/.completo"
rm -rf "$obra" "$fuente"
echo "$prefix" >&3
