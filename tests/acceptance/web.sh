#!/usr/bin/env bash
# Acceptance run of the web build in headless browsers: Chromium, and WebKitGTK through its
# WebDriver in a virtual X server, each under es-ES and en-US, the site served from 127.0.0.1.
#
#   tests/acceptance/web.sh [site-folder] [chromium|webkit...]
#
# Screenshots go to $ACCEPTANCE_SHOTS (default build-web/acceptance). Installs nothing: see
# README.md beside this file for the packages it needs. The whole run is bounded (20 minutes).
set -euo pipefail

aqui="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
raiz="$(cd "$aqui/../.." && pwd)"
# shellcheck source=comun.sh
. "$aqui/comun.sh"
sitio="$(realpath -m "${1:-$raiz/build-web/quorvel-web}")"
shift || true

faltan=()
for par in chromium:chromium WebKitWebDriver:webkit2gtk-driver xvfb-run:xvfb xauth:xauth; do
    command -v "${par%%:*}" >/dev/null 2>&1 || faltan+=("${par%%:*} (${par#*:})")
done
for par in websocket:python3-websocket selenium:python3-selenium Xlib:python3-xlib; do
    /usr/bin/python3 -c "import ${par%%:*}" >/dev/null 2>&1 || faltan+=("python3 ${par%%:*} (${par#*:})")
done
informar_faltan faltan
if [[ ! -f $sitio/index.html || ! -f $sitio/quorvel.wasm ]]; then
    echo "FALLO: no hay sitio web construido en $sitio" >&2
    exit 2
fi

export ACCEPTANCE_SHOTS="${ACCEPTANCE_SHOTS:-$raiz/build-web/acceptance}"
timeout --kill-after=30 1200 xvfb-run -a -s "-screen 0 1280x1024x24" \
    /usr/bin/python3 "$aqui/web.py" "$sitio" "$@"
