#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, then starts the program
# (./setup.sh run) or runs every test (./setup.sh test).
set -euo pipefail
cd "$(dirname "$0")"

accion=${1:-run}
paquetes=(build-essential cmake qt6-base-dev libgl-dev)
# The tests also validate the installed desktop entry and metainfo.
[ "$accion" = test ] && paquetes+=(desktop-file-utils appstream)

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
    compilar -DBUILD_TESTING=ON
    ctest --test-dir build --output-on-failure
    ;;
*)
    echo "uso: $0 [run|test]" >&2
    exit 2
    ;;
esac
