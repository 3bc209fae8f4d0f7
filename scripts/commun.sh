# Shared by the project's scripts: system packages and the CMake builds.
# shellcheck shell=bash

racine="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building and running the programs needs; Qt's French translation gives the desktop
# program's file chooser and standard questions in French.
paquets_construction=(g++ cmake ninja-build qt6-base-dev libgl-dev qt6-translations-l10n)
# What the tests need on top of that.
# latex, dvips and PSTricks compile the example pictures; ghostscript renders them. TikZ
# (texlive-pictures) with pdflatex, lualatex and xelatex (texlive-xetex) compiles the TikZ
# pictures, rsvg-convert (librsvg2-bin) renders the SVG ones.
# clang and its runtime libraries (libFuzzer, sanitizers) build the fuzz targets.
paquets_fuzz=(clang libclang-rt-dev)
# desktop-file-validate and man check the desktop entry and the manual pages; clang-format
# checks the layout of the sources; lintian checks the Debian package; shared-mime-info and
# gtk-update-icon-cache refresh the desktop's caches when an installation is undone.
paquets_tests=(libgtest-dev clang-format texlive-latex-base texlive-pstricks ghostscript desktop-file-utils man-db
    texlive-pictures texlive-xetex librsvg2-bin lintian shared-mime-info gtk-update-icon-cache
    "${paquets_fuzz[@]}")

# Installs the Debian packages of the list that are missing (apt-get, as root or via sudo).
installer_paquets() {
    local manquants=() paquet
    for paquet in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q 'install ok installed'; then
            manquants+=("$paquet")
        fi
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Paquets manquants : ${manquants[*]}" >&2
            echo "Installez-les en administrateur (apt-get install ${manquants[*]})." >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installation des paquets : ${manquants[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${manquants[@]}"
}

# construire DOSSIER [options CMake...]: configures once, then builds.
construire() {
    local dossier="$1"
    shift
    cmake -S "$racine" -B "$dossier" -G Ninja "$@" >/dev/null
    cmake --build "$dossier" -j "$(nproc)"
}

# Builds the programs in build/. A new folder is made without the tests (their packages may
# be missing); a folder that has them keeps them, so that ctest never runs stale test programs.
construire_programmes() {
    if [ -f "$racine/build/CMakeCache.txt" ]; then
        construire "$racine/build"
    else
        construire "$racine/build" -DTRAZEL_TESTS=OFF
    fi
}
