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
#   - the uninstaller, after those runs, again leaves nothing behind;
#   - SHA256SUMS, beside the installer, holds the installer's and the archive's sums;
#   - installed over an older release, the installer leaves exactly its own files, one entry
#     among the installed programs, with its version, and the shortcut; the older installer
#     then refuses to go over it.
#
#   tests/acceptance/windows.sh path/to/quorvel-VERSION-win64.exe
#
# The older release is made from the installer's build folder (cpack again, as 1.0.0, with a
# file that this release does not ship), or given: QUORVEL_ANTERIOR=quorvel-1.0.0-win64.exe.
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
    else ok "desinstalado en silencio: ni archivos, ni carpeta, ni registro, ni acceso directo"; fi
}
quedan() {
    restos=()
    [ ! -e "$destino" ] || restos+=("$destino")
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

# The sums published beside the packages, for checking a download.
carpeta=$(dirname "$instalador")
if (cd "$carpeta" && sha256sum --quiet --strict -c SHA256SUMS) \
    && [ "$(cut -d' ' -f3 "$carpeta/SHA256SUMS" | tr '\n' ' ')" = "$(basename "$instalador") $(basename "${instalador%.exe}").zip " ]; then
    ok "SHA256SUMS: las sumas del instalador y del archivo portátil"
else fallo "SHA256SUMS no tiene las sumas del instalador y del archivo portátil"; fi

# An upgrade: an older release installed, then this one over it, must leave exactly this one.
version=$(basename "$instalador" -win64.exe); version=${version#quorvel-}
trabajo=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-anterior.XXXXXX")
anterior=""; propio=""
if [ -n "${QUORVEL_ANTERIOR:-}" ]; then
    anterior=$(realpath "$QUORVEL_ANTERIOR")
elif [ -f "$carpeta/CPackConfig.cmake" ]; then
    # Made here: version 1.0.0, with the native style under the name this release does not ship.
    otro=styles/qwindowsvistastyle.dll
    [ "$estilo" != "$otro" ] || otro=styles/qmodernwindowsstyle.dll
    mkdir -p "$trabajo/extra/styles" && echo anterior >"$trabajo/extra/$otro"
    if (cd "$carpeta" && cpack -G NSIS -B "$trabajo/paquete" -D CPACK_PACKAGE_VERSION=1.0.0 \
        -D CPACK_PACKAGE_FILE_NAME=quorvel-1.0.0-win64 -D CPACK_NSIS_COMPRESSOR=zlib \
        -D "CPACK_INSTALLED_DIRECTORIES=$trabajo/extra;.") >"$trabajo/cpack.log" 2>&1; then
        anterior=$trabajo/paquete/quorvel-1.0.0-win64.exe
        propio=1
    else fallo "cpack no hizo el instalador anterior: $(grep -v "^ *$" "$trabajo/cpack.log" | tail -n 4)"; fi
fi
# This release's files: the archive's, and the uninstaller.
esperados() {
    { /usr/bin/python3 -c 'import sys, zipfile
for n in zipfile.ZipFile(sys.argv[1]).namelist():
    if not n.endswith("/"): print(n.split("/", 1)[1])' "${instalador%.exe}.zip"
      echo Uninstall.exe; } | LC_ALL=C sort
}
instalados() { [ ! -d "$destino" ] || (cd "$destino" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
registrada() { wine reg query "$clave" /v DisplayVersion 2>/dev/null | tr -d '\r' | awk '$1 == "DisplayVersion" { print $3 }'; }
entradas() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | grep -c '^ *DisplayName .*Quorvel' || true
}
# Exactly this release: its files, one entry among the installed programs, its version.
solo_esta() {
    local diferencia n
    if diferencia=$(diff <(esperados) <(instalados)); then ok "$1: exactamente los archivos de $version"
    else fallo "$1: la carpeta no tiene exactamente los archivos de $version: $(tr '\n' ' ' <<<"$diferencia")"; fi
    n=$(entradas)
    if [ "$n" = 1 ] && [ "$(registrada)" = "$version" ]; then
        ok "$1: una entrada en los programas instalados, versión $version"
    else fallo "$1: $n entradas en los programas instalados, versión «$(registrada)»"; fi
}
if [ -n "$anterior" ]; then
    vieja=$(basename "$anterior" -win64.exe); vieja=${vieja#quorvel-}
    wine "$anterior" /S || true
    if [ "$(registrada)" = "$vieja" ]; then ok "instalada la versión anterior, $vieja"
    else fallo "la versión anterior, $vieja, no quedó instalada"; fi
    # Files this release does not ship, or the upgrade below proves nothing.
    sobran=$(LC_ALL=C comm -13 <(esperados) <(instalados) | tr '\n' ' ')
    if [ -n "$sobran" ]; then ok "$vieja trae archivos que $version no: $sobran"
    else fallo "$vieja no trae ningún archivo que $version no traiga"; fi
    if wine "$instalador" /S; then ok "$version instalada sobre $vieja"
    else fallo "el instalador de $version falla sobre $vieja"; fi
    solo_esta "sobre $vieja"
    if [ -n "$acceso" ] && [ -e "$acceso" ]; then ok "sobre $vieja: el acceso directo"
    else fallo "sobre $vieja: no hay acceso directo en el menú Inicio"; fi
    # Only an installer of this tree knows to refuse; the 1.0.0 as shipped does not.
    if [ -n "$propio" ]; then
        if wine "$anterior" /S; then fallo "el instalador de $vieja se instala sobre $version"
        else ok "el instalador de $vieja rehúsa instalarse sobre $version (código $?)"; fi
        solo_esta "tras rehusar $vieja"
    fi
    desinstalar
fi
rm -rf "$trabajo"

echo "aceptación en Windows: $fallos fallos; capturas en $ACCEPTANCE_SHOTS"
[ "$fallos" -eq 0 ]
