#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine, as CTest's emulator: finds Qt's and the
# compiler's DLLs through WINEPATH, hands the QT_* variables on (Wine keeps its own QT_* and
# takes a program's from WINEQT_*) and sends Qt's messages to stderr rather than to the
# debugger, which Wine does not show.
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
: "${QUORVEL_QT_WINDOWS:?QUORVEL_QT_WINDOWS must name the Qt for Windows prefix}"
# Wine's drive Z: is the root of the file system.
ventanas() { local r; r=$(realpath -m "$1"); printf 'Z:%s' "${r//\//\\}"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="$(ventanas "$QUORVEL_QT_WINDOWS/bin");$(ventanas "$runtime");$(ventanas "$pthread")"
export WINEDEBUG=${WINEDEBUG:--all}
export QT_FORCE_STDERR_LOGGING=1
# The offscreen platform looks for its fonts under Qt's prefix on Windows.
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-Z:\\usr\\share\\fonts\\truetype\\liberation}
while IFS='=' read -r nombre _; do
    export "WINE$nombre=${!nombre}"
done < <(env | grep -E '^QT_[A-Za-z0-9_]*=' || true)
exec wine "$@"
