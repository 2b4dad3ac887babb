#!/usr/bin/env bash
# Installs what a fresh Debian 12 or 13 machine lacks, builds, then starts the program
# (./setup.sh run), runs every test (./setup.sh test) or builds the Debian package
# (./setup.sh paquete).
set -euo pipefail
cd "$(dirname "$0")"

accion=${1:-run}
# Liberation Sans stands in for the layouts' "MS Sans Serif" at its width; the generic face
# runs wider and cuts the captions.
paquetes=(build-essential cmake qt6-base-dev libgl-dev fonts-liberation)
# cpack -G DEB reads the program's libraries with file and dpkg-shlibdeps to work out the
# package's dependencies.
if [ "$accion" = test ] || [ "$accion" = paquete ]; then
    paquetes+=(file dpkg-dev)
fi
# The tests also build the package and check it with lintian and with the validators of the
# desktop entry and metainfo, and drive the program in a virtual X server through the
# accessibility interface, under es_ES and en_US and under a dark desktop theme (through the
# GTK platform theme that Debian's Qt recommends).
if [ "$accion" = test ]; then
    paquetes+=(lintian desktop-file-utils appstream xvfb xdotool x11-utils at-spi2-core dbus
        python3-gi gir1.2-atspi-2.0 python3-xlib locales qt6-gtk-platformtheme)
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
*)
    echo "uso: $0 [run|test|paquete]" >&2
    exit 2
    ;;
esac
