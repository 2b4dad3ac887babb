#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source package, of the same version
# as the host's Qt tools (moc, rcc and uic run on the host) and with Debian's patches applied
# (its security fixes among them; tools/qt-fuente.sh), into a cache folder outside the source
# tree. A finished build is reused. The build is reproducible: two machines building one Debian version get the
# same libraries, whatever the folders they build in. Prints the Qt prefix, and nothing else, on standard
# output; the build's progress goes to standard error, where whoever waits for it can see it.
#   tools/windows/qt.sh [CACHE]
set -euo pipefail
aqui=$(cd "$(dirname "$0")" && pwd)
cache=${1:-${QUORVEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel}}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
# Named after the Debian version, whose revision says which patches it carries, and after the
# build's options (below): raise `opciones` whenever they change, so that a build kept from
# other options (more modules, more plugins, their licences) is not taken for this one.
opciones=2
prefix=$cache/qt-$version-win64-o$opciones
mkdir -p "$cache"
exec 3>&1 1>&2
# One build at a time: a second caller waits for the first and then takes its result.
exec 9>"$cache/.cerrojo"
flock 9
if [ -f "$prefix/.completo" ]; then
    echo "$prefix" >&3
    exit 0
fi

# Debian's source package, with its patches applied.
fuente=$("$aqui/../qt-fuente.sh" "$cache")
# The date of the package's last change, as Debian's own build uses it, stands for the build
# time wherever a tool would write one (the PE headers among them).
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$fuente/debian/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH

# The licences that come with the libraries shipped beside the program: Qt's LGPL (and the GPL
# that it supplements) and those of the third-party code that Qt bundles.
licencias() {
    local src=$fuente dst=$prefix/licencias
    mkdir -p "$dst"
    cp "$src/LICENSES/LGPL-3.0-only.txt" "$dst/Qt-LGPL-3.0.txt"
    cp "$src/LICENSES/GPL-3.0-only.txt" "$dst/Qt-GPL-3.0.txt"
    local par
    for par in freetype/docs/FTL.TXT:FreeType harfbuzz-ng/COPYING:HarfBuzz \
        libjpeg/ijg-license.txt:libjpeg libpng/LICENSE:libpng pcre2/LICENCE:PCRE2 \
        zlib/LICENSE:zlib double-conversion/LICENSE:double-conversion; do
        cp "$src/src/3rdparty/${par%%:*}" "$dst/Qt-${par#*:}.txt"
    done
}

obra=$cache/qt-obra
# The folders the sources and the build are in stay out of the libraries.
mapas="-ffile-prefix-map=$fuente=qtbase -ffile-prefix-map=$obra=obra"
# Only what the program ships and its tests use: Core, Gui, Widgets and Test, the platform
# plugin, the native style and the JPEG and ICO image plugins; none of Qt's other modules, no
# GIF plugin, no Markdown. (The graphics view and Direct2D stay: the Windows 11 style and the
# DirectWrite font database are built on them.)
CFLAGS="$mapas" CXXFLAGS="$mapas" cmake -S "$fuente" -B "$obra" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$aqui/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DINPUT_opengl=no \
    -DFEATURE_gif=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_sql_sqlite=OFF \
    -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
cmake --build "$obra" --parallel "$(nproc)"
cmake --install "$obra"
licencias
touch "$prefix/.completo"
rm -rf "$obra"
echo "$prefix" >&3
