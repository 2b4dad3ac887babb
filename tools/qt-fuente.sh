#!/usr/bin/env bash
# Fetches Debian's own qt6-base source package, of the same version as the host's Qt tools
# (moc, rcc and uic run on the host), and unpacks it with every patch of the package applied,
# as Debian builds it (its security fixes among them). Kept in the cache folder and reused;
# prints the source folder, and nothing else, on standard output.
#   tools/qt-fuente.sh CACHE
set -euo pipefail
cache=$1
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
fuentes=$cache/fuentes-$version
mkdir -p "$cache"
exec 3>&1 1>&2
# The Qt builds for each platform may start together: one fetch at a time.
exec 8>"$cache/.cerrojo-fuente"
flock 8
if [ ! -d "$fuentes/qtbase-src" ]; then
    rm -rf "$fuentes"
    mkdir -p "$fuentes/sources.list.d" "$fuentes/lists/partial" "$fuentes/cache/archives/partial" "$fuentes/descarga"
    # Fetched through a private list of sources, so that the machine's own apt configuration
    # stays as it is. Machines differ in how their sources are written: the one-line form in
    # sources.list, the deb822 form under sources.list.d, or both.
    shopt -s nullglob
    for f in /etc/apt/sources.list.d/*.sources; do
        sed 's/^Types:.*/Types: deb-src/' "$f" >"$fuentes/sources.list.d/${f##*/}"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        sed -n 's/^deb /deb-src /p' "$f" >"$fuentes/sources.list.d/$(basename "$f" .list).list"
    done
    shopt -u nullglob
    apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$fuentes/sources.list.d"
        -o "Dir::State::Lists=$fuentes/lists" -o "Dir::Cache=$fuentes/cache" -o Debug::NoLocking=1)
    # A third-party source without source packages must not stop the fetch from Debian's.
    apt-get "${apt_opts[@]}" update >/dev/null || echo "AVISO: no todas las fuentes respondieron" >&2
    (cd "$fuentes/descarga" && apt-get "${apt_opts[@]}" source --download-only "qt6-base=$version")
    dsc=$(ls "$fuentes"/descarga/*.dsc)
    dpkg-source -x "$dsc" "$fuentes/qtbase-src.tmp"
    mv "$fuentes/qtbase-src.tmp" "$fuentes/qtbase-src"
    echo "fuente: $dsc; parches: $(grep -c '^[^#]' "$fuentes/qtbase-src/debian/patches/series")"
fi
echo "$fuentes/qtbase-src" >&3
