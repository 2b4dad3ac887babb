#!/usr/bin/env bash
# Installs what a fresh Debian 12 or 13 machine lacks, builds, then starts the program
# (./setup.sh run), runs every test (./setup.sh test), builds the Debian package
# (./setup.sh paquete), builds, tests and packages the Windows program (./setup.sh windows) or
# builds and tests the web program (./setup.sh web, on Debian 13).
set -euo pipefail
cd "$(dirname "$0")"

accion=${1:-run}
# Liberation Sans stands in for the layouts' "MS Sans Serif" at its width; the generic face
# runs wider and cuts the captions. Without a display, the program runs on a virtual one with
# xvfb-run, which needs xauth.
paquetes=(build-essential cmake qt6-base-dev libgl-dev fonts-liberation xvfb xauth)
# cpack -G DEB reads the program's libraries with file and dpkg-shlibdeps to work out the
# package's dependencies.
if [ "$accion" = test ] || [ "$accion" = paquete ]; then
    paquetes+=(file dpkg-dev)
fi
# The tests also build the package and check it with lintian and with the validators of the
# desktop entry and metainfo, and drive the program in a virtual X server through the
# accessibility interface, under es_ES and en_US and under a dark desktop theme (through the
# GTK platform theme that Debian's Qt recommends), then natively on Wayland in a headless sway.
if [ "$accion" = test ]; then
    paquetes+=(lintian desktop-file-utils appstream xdotool x11-utils openbox at-spi2-core dbus
        python3-gi gir1.2-atspi-2.0 python3-xlib locales qt6-gtk-platformtheme
        sway qt6-wayland wtype grim)
fi

# Windows: Qt for Windows is built here from Debian's own Qt source, with Debian's patches
# (dpkg-source applies them), the MinGW-w64 cross compiler and the host's Qt tools; the suites and the installed program run under Wine in a
# virtual X server with a window manager; NSIS makes the installer, and Info-ZIP the archive.
if [ "$accion" = windows ]; then
    paquetes=(cmake ninja-build qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix
        dpkg-dev wine wine64 nsis zip xz-utils fonts-liberation locales xvfb openbox xdotool x11-utils xclip
        python3-xlib)
fi

# The web: Qt for WebAssembly is built here from Debian's own Qt source with Debian's emscripten
# (Debian 13's; Debian 12's is too old for Qt 6), then the program; the site is tried in headless
# Chromium and, in a virtual X server, in WebKitGTK through its WebDriver.
if [ "$accion" = web ]; then
    paquetes=(cmake ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils patch emscripten
        fonts-liberation fonttools locales
        chromium python3-websocket python3-xlib webkit2gtk-driver python3-selenium xvfb xauth)
fi

instalar() {
    local faltan=()
    for p in "${paquetes[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
    done
    [ ${#faltan[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${faltan[@]}"
}

locales() {
    local faltan=0
    for l in es_ES en_US; do
        locale -a 2>/dev/null | grep -qx "$l.utf8" || faltan=1
    done
    [ $faltan -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $sudo locale-gen
}

compilar() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build build --parallel "$(nproc)"
}

case "$accion" in
run)
    instalar
    compilar -DBUILD_TESTING=OFF
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No hay pantalla donde abrir la ventana (ni DISPLAY ni WAYLAND_DISPLAY): ejecute 'xvfb-run -a ./setup.sh run' o inicie una sesión gráfica." >&2
        exit 1
    fi
    exec build/bin/quorvel
    ;;
test)
    instalar
    locales
    compilar -DBUILD_TESTING=ON
    ctest --test-dir build --output-on-failure
    tests/acceptance/run.sh build/bin/quorvel
    tests/acceptance/wayland.sh build/bin/quorvel
    # The web build, where ./setup.sh web made one, in the browsers it needs.
    if [ -f build-web/quorvel-web/quorvel.wasm ] && command -v chromium >/dev/null &&
        command -v WebKitWebDriver >/dev/null; then
        tests/acceptance/web.sh build-web/quorvel-web
    fi
    ;;
paquete)
    instalar
    # A build tree left by the test command keeps its tests; a new one builds the program alone.
    opciones=()
    [ -f build/CMakeCache.txt ] || opciones=(-DBUILD_TESTING=OFF)
    compilar "${opciones[@]}"
    (cd build && cpack -G DEB)
    deb=$(ls -t build/quorvel_*.deb | head -n 1)
    echo "Paquete: $deb (instálelo con: sudo apt-get install ./$deb)"
    ;;
windows)
    instalar
    locales
    qt=$(tools/windows/qt.sh)
    # Qt's own wrapper finds that Qt; the cross compiler is this tree's toolchain file.
    "$qt/bin/qt-cmake" -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_TESTING=ON -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/tools/windows/mingw-w64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/tools/windows/wine-run.sh"
    cmake --build build-windows --parallel "$(nproc)"
    (cd build-windows && cpack)
    export QUORVEL_QT_WINDOWS=$qt
    WINEPREFIX="$PWD/build-windows/wine" tools/windows/sesion.sh \
        ctest --test-dir build-windows --output-on-failure
    tests/acceptance/windows.sh build-windows/quorvel-*-win64.exe
    echo "Instalador: $(ls build-windows/quorvel-*-win64.exe)"
    echo "Archivo portátil: $(ls build-windows/quorvel-*-win64.zip)"
    echo "Sumas SHA-256 de ambos: build-windows/SHA256SUMS"
    ;;
web)
    if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = bookworm ]; then
        echo "La versión web necesita Debian 13: el emscripten de Debian 12 (3.1.6) es demasiado antiguo para Qt 6; ejecute './setup.sh web' en Debian 13, o 'sudo .ci/run web' aquí para hacerlo en una raíz Debian 13." >&2
        exit 1
    fi
    instalar
    locales
    qt=$(tools/web/qt.sh)
    EMSDK=$(tools/web/emsdk.sh "$(dirname "$qt")")
    export EMSDK
    "$qt/bin/qt-cmake" -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF
    cmake --build build-web --parallel "$(nproc)"
    tests/acceptance/web.sh build-web/quorvel-web
    echo "Sitio: build-web/quorvel-web/ (pruébelo con: python3 -m http.server --bind 127.0.0.1 --directory build-web/quorvel-web 8000)"
    echo "Archivo: $(ls build-web/quorvel-*-web.zip); sumas SHA-256: build-web/SHA256SUMS-web"
    ;;
*)
    echo "uso: $0 [run|test|paquete|windows|web]" >&2
    exit 2
    ;;
esac
