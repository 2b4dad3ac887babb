#!/bin/sh
# Runs the libFuzzer targets: configures and builds them with clang in build-fuzz (or in
# $QUORVEL_FUZZ_BUILD) when needed, then runs each one for a fixed time over a scratch copy
# of its seed corpus, so that the committed corpus stays as it is. Fails when a target finds
# a crash, a sanitizer report or a broken property; what it found is kept under
# <build dir>/hallazgos/<target>/.
#
#   tests/fuzz/run.sh [seconds per target, default 30]
set -eu

fuente=$(cd "$(dirname "$0")/../.." && pwd)
construccion=${QUORVEL_FUZZ_BUILD:-$fuente/build-fuzz}
segundos=${1:-30}

if [ ! -f "$construccion/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$fuente" -B "$construccion" -DQUORVEL_FUZZ=ON \
        -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$construccion" --target fuzz_numero fuzz_mascara --parallel 1

trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT INT TERM

resultado=0
for objetivo in numero mascara; do
    cp -R "$fuente/tests/fuzz/corpus/$objetivo" "$trabajo/corpus-$objetivo"
    mkdir "$trabajo/hallazgos-$objetivo"
    echo "== fuzz_$objetivo, ${segundos} s"
    if "$construccion/tests/fuzz/fuzz_$objetivo" -max_total_time="$segundos" \
        -print_final_stats=1 -artifact_prefix="$trabajo/hallazgos-$objetivo/" \
        "$trabajo/corpus-$objetivo"; then
        echo "== fuzz_$objetivo: sin fallos"
    else
        guardados="$construccion/hallazgos/$objetivo"
        mkdir -p "$guardados"
        cp -R "$trabajo/hallazgos-$objetivo/." "$guardados/"
        echo "== fuzz_$objetivo: FALLO; entradas guardadas en $guardados" >&2
        resultado=1
    fi
done
exit $resultado
