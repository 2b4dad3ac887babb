# What the Linux acceptance runs share, sourced by run.sh and wayland.sh.

# Ends the run (code 2) when tools are missing, naming them: the array given by name.
informar_faltan() {
    local -n lista_faltan=$1
    ((${#lista_faltan[@]})) || return 0
    local lista
    lista="$(IFS=,; echo "${lista_faltan[*]}")"
    echo "FALTA: ${lista//,/, }" >&2
    echo "       (tests/acceptance/README.md lists the packages to install)" >&2
    exit 2
}

exigir_programa() {
    if [[ ! -x $1 ]]; then
        echo "FALLO: no existe el programa ejecutable $1" >&2
        exit 2
    fi
}

# Runs the command in a D-Bus session of its own and returns its status. The bus daemons'
# start-up notices (dbus-daemon may not raise its fd limit here, the registry announces itself
# on stdout) are noise; everything else is shown.
en_sesion_dbus() {
    dbus-run-session -- "$@" \
        2> >(grep --line-buffered -v -e 'Failed to set fd limit' -e 'Activating service name=' \
                  -e 'Successfully activated service' >&2) |
        grep --line-buffered -v -e '^SpiRegistry daemon is running'
    return "${PIPESTATUS[0]}"
}
