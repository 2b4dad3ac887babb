#!/usr/bin/env bash
# Runs a command in a desktop session of its own for Windows programs under Wine: a virtual X
# server with a window manager (as every desktop has; without one, a window that a program
# hides stays on the screen) and a Wine prefix made for it. Cleans up after itself.
#   sesion.sh COMMAND [ARGUMENTS...]
# WINEPREFIX, when set, names the prefix to make or reuse.
set -euo pipefail
for orden in Xvfb xdpyinfo openbox wine wineboot wineserver; do
    command -v "$orden" >/dev/null || { echo "FALTA: $orden" >&2; exit 2; }
done
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-windows.XXXXXX")
pantalla=""
for n in $(seq 90 140); do
    # A server of another root (a chroot has its own /tmp) still holds the abstract socket.
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] &&
        ! grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null; then
        pantalla=$n
        break
    fi
done
[ -n "$pantalla" ] || { echo "FALLO: no free X display" >&2; exit 2; }
Xvfb ":$pantalla" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
export WINEPREFIX=${WINEPREFIX:-$tmp/wine}
limpiar() {
    local rc=$?
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$tmp"
    exit "$rc"
}
trap limpiar EXIT
export DISPLAY=":$pantalla"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; exit 2; }
    sleep 0.1
done
# Wine names files in the locale's character set: without a UTF-8 one, "eléctricos" on disk
# is not the name the scripts look for.
[[ ${LC_ALL:-${LC_CTYPE:-${LANG:-}}} == *[Uu][Tt][Ff]*8* ]] || export LC_ALL=C.UTF-8
export XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
openbox >"$tmp/openbox.log" 2>&1 &
# A new prefix: Wine's own start-up, once, so that the programs do not each pay for it.
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wineboot -i >/dev/null 2>&1
"$@"
