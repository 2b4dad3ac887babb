#!/usr/bin/env bash
# Checks that the Windows installer, the portable archive and SHA256SUMS are reproducible: builds
# them twice from one commit, in two clones whose folders differ in name and depth, the second
# with another umask and time zone, and compares each pair byte for byte. Without the tests,
# which the packages do not hold. Needs what ./setup.sh windows installs, and Qt for Windows
# (tools/windows/qt.sh, which builds it if it is not there yet).
#   tools/windows/reproducible.sh [COMMIT]        (default: HEAD; the clones go under $TMPDIR)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$raiz" rev-parse --verify "${1:-HEAD}^{commit}")
qt=$("$raiz/tools/windows/qt.sh")
trabajo=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-reproducible.XXXXXX")
trap 'rm -rf "$trabajo"' EXIT
# Each build takes the commit's time itself.
unset SOURCE_DATE_EPOCH

# A command's output only when it fails.
callado() {
    "$@" >"$trabajo/registro" 2>&1 || { cat "$trabajo/registro" >&2; exit 2; }
}

construir() {
    local fuente=$1 obra=$1/build-windows
    git clone -q --no-checkout "$raiz" "$fuente"
    git -C "$fuente" checkout -q --detach "$commit"
    callado "$qt/bin/qt-cmake" -S "$fuente" -B "$obra" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_TESTING=OFF -DQT_CHAINLOAD_TOOLCHAIN_FILE="$fuente/tools/windows/mingw-w64.cmake"
    callado cmake --build "$obra" --parallel "$(nproc)"
    callado env -C "$obra" cpack
}
construir "$trabajo/a"
(umask 077; TZ=XYZ+5 construir "$trabajo/segundo/clon-b")

fallos=0
for ruta in "$trabajo"/a/build-windows/{quorvel-*-win64.exe,quorvel-*-win64.zip,SHA256SUMS}; do
    nombre=$(basename "$ruta")
    if cmp "$ruta" "$trabajo/segundo/clon-b/build-windows/$nombre"; then
        echo "ok: $nombre, idéntico en las dos construcciones"
    else
        echo "FALLO: $nombre difiere entre las dos construcciones"
        fallos=$((fallos + 1))
    fi
done
echo "reproducibilidad de ${commit:0:12}: $fallos fallos"
[ "$fallos" -eq 0 ]
