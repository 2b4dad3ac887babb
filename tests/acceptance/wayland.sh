#!/usr/bin/env bash
# Acceptance run of the built program natively on Wayland: a headless sway compositor, the
# program on Qt's wayland platform (qt6-wayland) under es_ES, read back through AT-SPI and
# through the requests it sends the compositor.
#
#   tests/acceptance/wayland.sh [path-to-quorvel]
#
# Starts its own D-Bus session and compositor and cleans up after itself. Run as root, it runs
# them as nobody, as compositors are meant to run; the program and the scripts are copied to a
# folder that user can read. Installs nothing: see README.md beside this file.
set -euo pipefail

aqui="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
raiz="$(cd "$aqui/../.." && pwd)"
# shellcheck source=comun.sh
. "$aqui/comun.sh"
programa="$(realpath -m "${1:-$raiz/build/bin/quorvel}")"

faltan=()
for par in sway:sway wtype:wtype grim:grim dbus-run-session:dbus dbus-send:dbus; do
    command -v "${par%%:*}" >/dev/null 2>&1 || faltan+=("${par%%:*} (${par#*:})")
done
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    faltan+=("Qt's wayland platform (qt6-wayland)")
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
    >/dev/null 2>&1 || faltan+=("python3 gi + Atspi 2.0 (python3-gi gir1.2-atspi-2.0)")
locale -a 2>/dev/null | grep -qx es_ES.utf8 || faltan+=("locale es_ES.UTF-8 (locale-gen)")
informar_faltan faltan
exigir_programa "$programa"

inicio=$(date +%s.%N)
tmp="$(mktemp -d "${TMPDIR:-/tmp}/quorvel-wayland.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
cp "$programa" "$aqui/wayland.py" "$aqui/aceptacion.py" "$aqui/escritorio.py" "$aqui/textos.py" "$aqui/escenario.py" "$aqui/comun.sh" "$tmp/"
mkdir -m 700 "$tmp/runtime"
capturas="${ACCEPTANCE_SHOTS:-$raiz/build/acceptance}"
mkdir -p "$capturas"
usuario=()
if [[ $(id -u) -eq 0 ]]; then
    usuario=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$tmp" "$tmp/runtime"
fi

echo "sway sin pantalla; captura en $capturas"
set +e
"${usuario[@]}" env -i PATH="$PATH" HOME="$tmp" LANG=C.UTF-8 XDG_RUNTIME_DIR="$tmp/runtime" \
    XDG_CONFIG_HOME="$tmp" XDG_CACHE_HOME="$tmp" GSETTINGS_BACKEND=memory ACCEPTANCE_SHOTS="$tmp" \
    bash -c '. "$1"; shift; en_sesion_dbus "$@"' comun "$tmp/comun.sh" \
    timeout --kill-after=10 600 /usr/bin/python3 "$tmp/wayland.py" "$tmp/quorvel"
estado=$?
set -e
cp "$tmp"/*.png "$capturas/" 2>/dev/null || true
awk -v a="$(date +%s.%N)" -v b="$inicio" 'BEGIN { printf "duración: %.1f s\n", a - b }'
exit "$estado"
