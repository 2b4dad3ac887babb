#!/usr/bin/env bash
# Acceptance run of the built program in a real (virtual) X server, under es_ES and en_US.
#
#   tests/acceptance/run.sh [path-to-quorvel]
#
# Starts its own Xvfb and D-Bus session, runs aceptacion.py in them and cleans up after
# itself. Screenshots go to $ACCEPTANCE_SHOTS (default build/acceptance). Installs nothing:
# see README.md beside this file for the packages it needs.
set -euo pipefail

aqui="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
raiz="$(cd "$aqui/../.." && pwd)"
# shellcheck source=comun.sh
. "$aqui/comun.sh"
programa="${1:-$raiz/build/bin/quorvel}"
programa="$(realpath -m "$programa")"

# --- tools -----------------------------------------------------------------------------------
faltan=()
for par in Xvfb:xvfb xdpyinfo:x11-utils xdotool:xdotool openbox:openbox dbus-run-session:dbus \
    dbus-send:dbus locale:libc-bin awk:mawk; do
    command -v "${par%%:*}" >/dev/null 2>&1 || faltan+=("${par%%:*} (${par#*:})")
done
python=/usr/bin/python3
if [[ ! -x $python ]]; then
    faltan+=("/usr/bin/python3")
else
    "$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
        >/dev/null 2>&1 || faltan+=("python3 gi + Atspi 2.0 (python3-gi gir1.2-atspi-2.0)")
    "$python" -c 'import Xlib.display' >/dev/null 2>&1 || faltan+=("python3 Xlib (python3-xlib)")
fi
if [[ ! -x /usr/libexec/at-spi-bus-launcher && ! -x /usr/lib/at-spi2-core/at-spi-bus-launcher ]]; then
    faltan+=("at-spi-bus-launcher (at-spi2-core)")
fi
for loc in es_ES.utf8 en_US.utf8; do
    locale -a 2>/dev/null | grep -qx "$loc" || faltan+=("locale ${loc/utf8/UTF-8} (locale-gen)")
done
informar_faltan faltan
exigir_programa "$programa"

# --- session ---------------------------------------------------------------------------------
inicio=$(date +%s.%N)
tmp="$(mktemp -d "${TMPDIR:-/tmp}/quorvel-aceptacion.XXXXXX")"
xvfb_pid=""
# shellcheck disable=SC2317  # run by the EXIT trap
limpiar() {
    local rc=$?
    if [[ -n $xvfb_pid ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
    exit "$rc"
}
trap limpiar EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself, or takes the one ACCEPTANCE_DISPLAY names, and writes
# its number to fd 3.
pantalla=()
[[ -n ${ACCEPTANCE_DISPLAY:-} ]] && pantalla=(":${ACCEPTANCE_DISPLAY#:}")
Xvfb "${pantalla[@]}" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" \
    >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
limite=$((SECONDS + 15))
until [[ -s $tmp/display ]] && grep -q '^[0-9]' "$tmp/display"; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || ((SECONDS >= limite)); then
        echo "FALLO: Xvfb no arranca:" >&2
        cat "$tmp/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=":$(head -n1 "$tmp/display" | tr -dc 0-9)"
export DISPLAY
until xdpyinfo >/dev/null 2>&1; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || ((SECONDS >= limite)); then
        echo "FALLO: xdpyinfo no obtiene respuesta de $DISPLAY" >&2
        cat "$tmp/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done

mkdir -m 700 "$tmp/runtime"
mkdir "$tmp/config" "$tmp/cache"
export XDG_RUNTIME_DIR="$tmp/runtime" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache"
export GSETTINGS_BACKEND=memory
export ACCEPTANCE_SHOTS="${ACCEPTANCE_SHOTS:-$raiz/build/acceptance}"
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS QT_SCALE_FACTOR

echo "Xvfb en $DISPLAY; capturas en $ACCEPTANCE_SHOTS"
set +e
# Bounded as a whole: a call that never returns fails the run instead of holding it.
en_sesion_dbus timeout --kill-after=10 900 "$python" "$aqui/aceptacion.py" "$programa"
estado=$?
set -e
awk -v a="$(date +%s.%N)" -v b="$inicio" 'BEGIN { printf "duración: %.1f s\n", a - b }'
exit "$estado"
