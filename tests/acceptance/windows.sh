#!/usr/bin/env bash
# Acceptance run of the Windows installer and the installed program under Wine, in a virtual X
# server with a window manager and a Wine prefix of its own:
#   - the installer's manifest asks for the rights of whoever runs it ("highestAvailable");
#   - run by an administrator (as Wine's user is), its page of users leads by default to the
#     folder for all users, and with "Solo para mí" (Alt+M) to the user's own;
#   - it installs silently (/S) for all users (an administrator's default, and /AllUsers) and
#     for the user alone (/CurrentUser): the program, Qt's libraries and plugins, the licences,
#     the Start-menu shortcut and the uninstaller registered with Windows, each where its scope
#     puts them, and nothing in the other scope; the uninstaller removes each, silently;
#   - it refuses, with its own exit code and touching nothing installed: an unknown switch (3),
#     the other scope's installation (5), a second installer or uninstaller while one runs (6),
#     a folder it cannot write (7);
#   - the program installed for all users, started from its shortcut, passes
#     aceptacion_windows.py under es_ES and en_US with the locale's own decimal symbol, and
#     under es_ES with a decimal symbol the user has set ("."); installed for the user alone, it
#     passes it under en_US;
#   - aspecto_windows.py: the windows' sizes at 144 and 192 DPI, every text readable in
#     Windows 11's dark app mode, and, from Wine 10 on, UI Automation's tree and announcements;
#   - SHA256SUMS, beside the installer, holds the installer's and the archive's sums;
#   - in each scope, installed over an older release, the installer leaves exactly its own
#     files, one entry among the installed programs, with its version, and the shortcut; the
#     older installer then refuses to go over it (2).
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

# No call may wait forever: each of Wine's, the clipboard's and the drivers' is bounded, and
# running out of time is a failure that names the call.
acotado() {
    local plazo=$1 rc=0
    shift
    timeout --kill-after=10 "$plazo" "$@" || rc=$?
    if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
        echo "FALLO: '$*' no terminó en $plazo s" >&2
    fi
    return "$rc"
}
wine() { acotado 300 wine "$@"; }
winepath() { acotado 60 winepath "$@"; }
xclip() { acotado 10 xclip "$@"; }
python_acotado() { acotado 1200 /usr/bin/python3 "$@"; }

fallos=0
ok() { echo "ok: $*"; }
fallo() { echo "FALLO: $*"; fallos=$((fallos + 1)); }

# Windows' paths as Wine maps them onto this prefix.
unix() { winepath -u "$1" 2>/dev/null; }
variable() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
local_usuario=$(variable LOCALAPPDATA)
menu_usuario="$(unix "$(variable APPDATA)")/Microsoft/Windows/Start Menu/Programs"
desinstalaciones='Software\Microsoft\Windows\CurrentVersion\Uninstall'

# The two scopes, and where each puts the program, its entry among the installed programs and
# its Start-menu shortcut: for all users (Program Files, HKLM, the all-users Start menu) or for
# the user alone (the user's own programs folder, HKCU, the user's Start menu).
ambito() {
    case $1 in
    todos)
        destino_w='C:\Program Files\Quorvel eléctricos'
        colmena=HKLM
        acceso="$(unix 'C:\ProgramData')/Microsoft/Windows/Start Menu/Programs/Quorvel eléctricos.lnk"
        opcion=/AllUsers ;;
    usuario)
        destino_w="$local_usuario\\Programs\\Quorvel eléctricos"
        colmena=HKCU
        acceso="$menu_usuario/Quorvel eléctricos.lnk"
        opcion=/CurrentUser ;;
    esac
    destino=$(unix "$destino_w")
    clave="$colmena\\$desinstalaciones\\quorvel"
}
otro() { [ "$1" = todos ] && echo usuario || echo todos; }

# Installed in the scope: the program and what it needs, the uninstaller registered with
# Windows, the shortcut; and nothing of the other scope.
comprobar_instalado() {
    ambito "$1"
    if [ -f "$destino/quorvel.exe" ]; then ok "[$1] instalado en $destino_w"
    else fallo "[$1] no hay quorvel.exe en $destino"; fi
    local f
    for f in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll imageformats/qjpeg.dll \
        imageformats/qico.dll libstdc++-6.dll libgcc_s_seh-1.dll \
        libwinpthread-1.dll licencias/Quorvel-GPL-3.0.txt licencias/Qt-LGPL-3.0.txt Uninstall.exe; do
        [ -f "$destino/$f" ] || fallo "[$1] falta $f en la instalación"
    done
    # The native style's plugin is named after the Qt version: windowsvista, or modernwindows
    # from Qt 6.7 on.
    estilo=$(cd "$destino" && ls styles/qwindowsvistastyle.dll styles/qmodernwindowsstyle.dll 2>/dev/null || true)
    if [ -n "$estilo" ]; then ok "[$1] instalados las bibliotecas, los complementos ($estilo) y las licencias"
    else fallo "[$1] falta el estilo nativo en styles/"; fi
    if wine reg query "$clave" /v UninstallString 2>/dev/null | grep -q 'Uninstall.exe'; then
        ok "[$1] desinstalador registrado en Windows ($clave)"
    else fallo "[$1] no hay desinstalador registrado en $clave"; fi
    if [ -e "$acceso" ]; then ok "[$1] acceso directo en el menú Inicio: ${acceso#"$WINEPREFIX/"}"
    else fallo "[$1] no hay acceso directo «Quorvel eléctricos» en ${acceso#"$WINEPREFIX/"}"; fi
    nada_en "$(otro "$1")"
    ambito "$1"
}
# Nothing of the scope: no folder, no entry, no shortcut.
nada_en() {
    ambito "$1"
    if quedan; then fallo "[$1] hay restos de una instalación en este ámbito: ${restos[*]}"
    else ok "[$1] nada instalado en este ámbito"; fi
}
quedan() {
    restos=()
    [ ! -e "$destino" ] || restos+=("$destino")
    ! wine reg query "$clave" >/dev/null 2>&1 || restos+=("$clave")
    [ ! -e "$acceso" ] || restos+=("${acceso#"$WINEPREFIX/"}")
    [ ${#restos[@]} -gt 0 ]
}

# The uninstaller, started by its path as Windows' list of programs starts it, copies itself
# away and returns at once: wait until it has removed the files, the registry key and the
# shortcut, or until it clearly will not.
desinstalar() {
    ambito "$1"
    wine "$destino_w\\Uninstall.exe" /S
    local _
    for _ in $(seq 60); do
        quedan || break
        sleep 0.5
    done
    if quedan; then fallo "[$1] la desinstalación deja: ${restos[*]}"
    else ok "[$1] desinstalado en silencio: ni archivos, ni carpeta, ni registro, ni acceso directo"; fi
}
# Runs the installer with the given switches; fails unless it ends with the exit code given.
codigo() {
    local esperado=$1 rc=0
    shift
    wine "$instalador" "$@" || rc=$?
    if [ "$rc" = "$esperado" ]; then return 0; fi
    fallo "el instalador con $* termina con $rc, no $esperado"
    return 1
}

# The installer's manifest asks for the rights of whoever runs it ("highestAvailable"): none for a
# standard user, who installs for themselves; an administrator is asked to confirm. Wine has no
# UAC, so the scope comes from the switches below, and the manifest is read from the file.
nivel=$(grep -a -o 'requestedExecutionLevel level="[A-Za-z]*"' "$instalador" | sort -u)
if [ "$nivel" = 'requestedExecutionLevel level="highestAvailable"' ]; then
    ok "el manifiesto del instalador pide level=\"highestAvailable\", no requireAdministrator"
else fallo "el manifiesto del instalador pide: ${nivel:-nada}"; fi

# The first window of the title shown, waited for; its id.
ventana() {
    local ids
    ids=$(timeout 60 xdotool search --sync --onlyvisible --name "$1") || return 1
    echo "${ids%%$'\n'*}"
}

# An administrator's pages: past the licence, the choice of users, then the folder the choice
# leads to, read as a user copies it (its field has the focus, all selected). Nothing is
# installed: the installer is closed on the folder's page.
carpeta_elegida() {
    local w texto=""
    # timeout itself in the background: killing it ends the installer too.
    timeout --kill-after=10 600 wine "$instalador" &
    local pid=$!
    if w=$(ventana 'Quorvel'); then
        xdotool key --window "$w" Return
        [ -z "$1" ] || xdotool key --window "$w" "$1"
        xdotool key --window "$w" Return
        local _
        for _ in $(seq 40); do
            xclip -selection clipboard -i /dev/null
            xdotool key --window "$w" ctrl+c
            texto=$(xclip -o -selection clipboard 2>/dev/null || true)
            [[ $texto != *Quorvel* ]] || break
            sleep 0.25
        done
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    printf '%s' "$texto"
}
ambito todos
elegida=$(carpeta_elegida "")
if [ "$elegida" = "$destino_w" ]; then ok "la página de usuarios: por omisión, para todos ($elegida)"
else fallo "la página de usuarios: por omisión lleva a «$elegida», no a «$destino_w»"; fi
ambito usuario
elegida=$(carpeta_elegida alt+m)
if [ "$elegida" = "$destino_w" ]; then ok "la página de usuarios: «Solo para mí» (Alt+M) lleva a $elegida"
else fallo "la página de usuarios: «Solo para mí» (Alt+M) lleva a «$elegida», no a «$destino_w»"; fi
nada_en todos
nada_en usuario

# An unknown switch installs nothing.
if codigo 3 /S /Todos; then ok "una opción desconocida: código 3"; fi
nada_en todos
nada_en usuario

# For all users: the default of an administrator (as Wine's user is), and /AllUsers.
wine "$instalador" /S
comprobar_instalado todos
desinstalar todos
# For the user alone.
wine "$instalador" /CurrentUser /S
comprobar_instalado usuario
desinstalar usuario

# In one scope while the other has it: a clear refusal, and the installation there untouched.
for ambito_instalado in todos usuario; do
    ambito "$(otro "$ambito_instalado")"
    otra_opcion=$opcion
    ambito "$ambito_instalado"
    wine "$instalador" "$opcion" /S
    if codigo 5 "$otra_opcion" /S; then ok "[$ambito_instalado] $otra_opcion rehúsa: código 5"; fi
    comprobar_instalado "$ambito_instalado"
    desinstalar "$ambito_instalado"
done

# A folder that cannot be written: a clear refusal, and the installed release untouched.
wine "$instalador" /AllUsers /S
if codigo 7 /AllUsers /S '/D=Z:\proc\quorvel'; then ok "una carpeta en la que no se puede escribir: código 7"; fi
comprobar_instalado todos

# A second installer while one runs, and a second uninstaller while one runs (the first of
# each waits on its first page, shown): the second refuses, and nothing installed is lost.
timeout --kill-after=10 600 wine "$instalador" &
primero=$!
if ventana 'Quorvel' >/dev/null; then
    if codigo 6 /AllUsers /S; then ok "un segundo instalador mientras corre el primero: código 6"; fi
else fallo "el instalador no muestra su primera página"; fi
kill "$primero" 2>/dev/null || true
wait "$primero" 2>/dev/null || true
# The first uninstaller copies itself away (~nsuN.tmp\Un.exe) and returns; the second runs in
# place (_?=), so that its exit code comes back. _?= must stand unquoted, so the folder goes by
# its short name, which has no spaces.
wine "$destino_w\\Uninstall.exe"
if ventana 'Quorvel' >/dev/null; then
    rc=0
    corto=$(winepath -s "$destino_w" 2>/dev/null)
    wine "$corto\\Uninstall.exe" /S "_?=$corto" || rc=$?
    if [ "$rc" = 6 ]; then ok "un segundo desinstalador mientras corre el primero: código 6"
    else fallo "un segundo desinstalador mientras corre el primero termina con $rc, no 6"; fi
else fallo "el desinstalador no muestra su primera página"; fi
pkill -f '\.tmp.Un\.exe' 2>/dev/null || true
comprobar_instalado todos
desinstalar todos

# The program, installed for all users, in each locale: the locale's own decimal symbol, then
# one the user has set. Wine rewrites the user's regional settings when it starts under another
# locale than the one they were written for, so the user's symbol is set under the locale it
# belongs to.
wine "$instalador" /AllUsers /S
ambito todos
lnk=$(winepath -w "$acceso" 2>/dev/null)
export ACCEPTANCE_PROGRAMA="$destino_w\\quorvel.exe"
internacional='HKCU\Control Panel\International'
for caso in es_ES:,:es_ES en_US:.:en_US es_ES:.:es_ES-usuario; do
    IFS=: read -r loc sep etiqueta <<<"$caso"
    export LANG=$loc.UTF-8 LC_ALL=$loc.UTF-8
    wineserver -k 2>/dev/null || true
    wine reg query "$internacional" >/dev/null 2>&1
    if [[ $etiqueta == *-usuario ]]; then
        wine reg add "$internacional" /v sDecimal /d "$sep" /f >/dev/null 2>&1
    fi
    if ! python_acotado "$aqui/aceptacion_windows.py" "$lnk" "$sep" "$etiqueta"; then
        fallo "aceptación bajo $etiqueta"
    fi
done
# The look at 144 and 192 DPI and in Windows 11's dark app mode, and what a screen reader
# gets through UI Automation; it leaves Wine's settings as it found them.
export LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8
if ! python_acotado "$aqui/aspecto_windows.py" "$lnk"; then
    fallo "aspecto y accesibilidad"
fi
export LANG=C.UTF-8 LC_ALL=C.UTF-8
desinstalar todos

# Installed for the user alone, the program runs the same from the user's own folder (under
# en_US, whose regional settings Wine writes afresh after es_ES's).
wine "$instalador" /CurrentUser /S
ambito usuario
export ACCEPTANCE_PROGRAMA="$destino_w\\quorvel.exe" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
wineserver -k 2>/dev/null || true
wine reg query "$internacional" >/dev/null 2>&1
if ! python_acotado "$aqui/aceptacion_windows.py" "$(winepath -w "$acceso")" . en_US-por-usuario; then
    fallo "aceptación instalado solo para el usuario"
fi
export LANG=C.UTF-8 LC_ALL=C.UTF-8
desinstalar usuario

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
    wine reg query "$colmena\\$desinstalaciones" /s 2>/dev/null |
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
# In each scope an older release, then this one over it, must leave exactly this one; the
# older one, an installer of this tree, must then refuse. A given older release (1.0.0 or 1.1.0
# as they shipped) knows only the machine.
ambitos=(todos usuario)
[ -z "$propio" ] && ambitos=(todos)
for ambito_prueba in "${ambitos[@]}"; do
    [ -n "$anterior" ] || break
    ambito "$ambito_prueba"
    # 1.0.0 and 1.1.0 take no scope switch: they ask for the machine.
    opciones=("$opcion" /S)
    [ -n "$propio" ] || opciones=(/S)
    vieja=$(basename "$anterior" -win64.exe); vieja=${vieja#quorvel-}
    wine "$anterior" "${opciones[@]}" || true
    if [ "$(registrada)" = "$vieja" ]; then ok "[$ambito_prueba] instalada la versión anterior, $vieja"
    else fallo "[$ambito_prueba] la versión anterior, $vieja, no quedó instalada"; fi
    # Files this release does not ship, or the upgrade below proves nothing.
    sobran=$(LC_ALL=C comm -13 <(esperados) <(instalados) | tr '\n' ' ')
    if [ -n "$sobran" ]; then ok "[$ambito_prueba] $vieja trae archivos que $version no: $sobran"
    else fallo "[$ambito_prueba] $vieja no trae ningún archivo que $version no traiga"; fi
    if wine "$instalador" "$opcion" /S; then ok "[$ambito_prueba] $version instalada sobre $vieja"
    else fallo "[$ambito_prueba] el instalador de $version falla sobre $vieja"; fi
    solo_esta "[$ambito_prueba] sobre $vieja"
    if [ -e "$acceso" ]; then ok "[$ambito_prueba] sobre $vieja: el acceso directo"
    else fallo "[$ambito_prueba] sobre $vieja: no hay acceso directo en el menú Inicio"; fi
    if [ -n "$propio" ]; then
        rc=0
        wine "$anterior" "${opciones[@]}" || rc=$?
        if [ "$rc" = 2 ]; then ok "[$ambito_prueba] el instalador de $vieja rehúsa instalarse sobre $version (código 2)"
        else fallo "[$ambito_prueba] el instalador de $vieja sobre $version termina con $rc, no 2"; fi
        solo_esta "[$ambito_prueba] tras rehusar $vieja"
    fi
    desinstalar "$ambito_prueba"
done
rm -rf "$trabajo"

echo "aceptación en Windows: $fallos fallos; capturas en $ACCEPTANCE_SHOTS"
[ "$fallos" -eq 0 ]
