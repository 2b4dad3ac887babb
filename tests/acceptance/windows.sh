#!/usr/bin/env bash
# Acceptance run of the Windows installer and the installed program under Wine, in a virtual X
# server with a window manager and a Wine prefix of its own:
#   - the installer installs silently (/S): the program, Qt's libraries and plugins, the
#     licences, the Start-menu shortcut and the uninstaller registered with Windows;
#   - the uninstaller removes it silently, and the installer puts it back;
#   - the installed program, started from its shortcut, passes aceptacion_windows.py under
#     es_ES and en_US with the locale's own decimal symbol, and under es_ES with a decimal
#     symbol the user has set (".");
#   - aspecto_windows.py: the windows' sizes at 144 and 192 DPI, every text readable in
#     Windows 11's dark app mode, and, from Wine 10 on, UI Automation's tree and announcements;
#   - the uninstaller, after those runs, again leaves nothing behind.
#
#   tests/acceptance/windows.sh path/to/quorvel-VERSION-win64.exe
#
# Screenshots go to $ACCEPTANCE_SHOTS (default: an "acceptance" folder beside the installer).
set -euo pipefail
aqui=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
raiz=$(cd "$aqui/../.." && pwd)
instalador=$(realpath "${1:?uso: windows.sh quorvel-VERSION-win64.exe}")
if [ "${2:-}" != --en-sesion ]; then
    unset WINEPREFIX
    exec "$raiz/tools/windows/sesion.sh" "$0" "$instalador" --en-sesion
fi
export PYTHONDONTWRITEBYTECODE=1
export ACCEPTANCE_SHOTS=${ACCEPTANCE_SHOTS:-$(dirname "$instalador")/acceptance}
mkdir -p "$ACCEPTANCE_SHOTS"

fallos=0
ok() { echo "ok: $*"; }
fallo() { echo "FALLO: $*"; fallos=$((fallos + 1)); }

# Windows' paths as Wine maps them onto this prefix.
unix() { winepath -u "$1" 2>/dev/null; }
programas=$(unix 'C:\Program Files')
destino="$programas/Quorvel eléctricos"
clave='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\quorvel'

wine "$instalador" /S
# The installer returns once its files are in place.
if [ -f "$destino/quorvel.exe" ]; then ok "instalado en C:\\Program Files\\Quorvel eléctricos"
else fallo "no hay quorvel.exe en $destino"; fi
for f in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll imageformats/qjpeg.dll \
    imageformats/qico.dll libstdc++-6.dll libgcc_s_seh-1.dll \
    libwinpthread-1.dll licencias/Quorvel-GPL-3.0.txt licencias/Qt-LGPL-3.0.txt Uninstall.exe; do
    if [ -f "$destino/$f" ]; then ok "instalado: $f"; else fallo "falta $f en la instalación"; fi
done
# The native style's plugin is named after the Qt version: windowsvista, or modernwindows from
# Qt 6.7 on.
estilo=$(cd "$destino" && ls styles/qwindowsvistastyle.dll styles/qmodernwindowsstyle.dll 2>/dev/null || true)
if [ -n "$estilo" ]; then ok "instalado: $estilo"; else fallo "falta el estilo nativo en styles/"; fi
if wine reg query "$clave" /v UninstallString 2>/dev/null | grep -q 'Uninstall.exe'; then
    ok "desinstalador registrado en Windows ($clave)"
else fallo "no hay desinstalador registrado en $clave"; fi
acceso=$(find "$(unix 'C:\ProgramData')" "$(unix 'C:\users')" -name 'Quorvel eléctricos.lnk' \
    -path '*Start Menu*' 2>/dev/null | head -n 1)
if [ -n "$acceso" ]; then ok "acceso directo en el menú Inicio: ${acceso#"$WINEPREFIX/"}"
else fallo "no hay acceso directo «Quorvel eléctricos» en el menú Inicio"; fi

# The uninstaller copies itself away and returns at once: wait until it has removed the files,
# the registry key and the shortcut, or until it clearly will not.
desinstalar() {
    wine "$destino/Uninstall.exe" /S
    local _
    for _ in $(seq 60); do
        quedan || break
        sleep 0.5
    done
    if quedan; then fallo "la desinstalación deja: ${restos[*]}"
    else ok "desinstalado en silencio: ni archivos, ni registro, ni acceso directo"; fi
}
quedan() {
    restos=()
    [ ! -e "$destino/quorvel.exe" ] || restos+=("$destino/quorvel.exe")
    ! wine reg query "$clave" >/dev/null 2>&1 || restos+=("$clave")
    [ -z "$acceso" ] || [ ! -e "$acceso" ] || restos+=("${acceso#"$WINEPREFIX/"}")
    [ ${#restos[@]} -gt 0 ]
}
# On a fresh installation, and again after the program has run.
desinstalar
wine "$instalador" /S

# The program, in each locale: the locale's own decimal symbol, then one the user has set.
# Wine rewrites the user's regional settings when it starts under another locale than the one
# they were written for, so the user's symbol is set under the locale it belongs to.
if [ -n "$acceso" ]; then
    lnk=$(winepath -w "$acceso" 2>/dev/null)
    internacional='HKCU\Control Panel\International'
    for caso in es_ES:,:es_ES en_US:.:en_US es_ES:.:es_ES-usuario; do
        IFS=: read -r loc sep etiqueta <<<"$caso"
        export LANG=$loc.UTF-8 LC_ALL=$loc.UTF-8
        wineserver -k 2>/dev/null || true
        wine reg query "$internacional" >/dev/null 2>&1
        if [[ $etiqueta == *-usuario ]]; then
            wine reg add "$internacional" /v sDecimal /d "$sep" /f >/dev/null 2>&1
        fi
        if ! /usr/bin/python3 "$aqui/aceptacion_windows.py" "$lnk" "$sep" "$etiqueta"; then
            fallo "aceptación bajo $etiqueta"
        fi
    done
    # The look at 144 and 192 DPI and in Windows 11's dark app mode, and what a screen reader
    # gets through UI Automation; it leaves Wine's settings as it found them.
    export LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8
    if ! /usr/bin/python3 "$aqui/aspecto_windows.py" "$lnk"; then
        fallo "aspecto y accesibilidad"
    fi
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    desinstalar
fi

echo "aceptación en Windows: $fallos fallos; capturas en $ACCEPTANCE_SHOTS"
[ "$fallos" -eq 0 ]
