# Shared by the scripts in this folder: installs what is missing and builds.
# Sourced, not run.

FOURK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Qt 5.15, into build/. A script that sets fourkAnyQt=1 before sourcing this (scripts/test,
# scripts/run) takes FOURK_QT=6 from the environment and builds with Qt 6 into build-qt6/.
if [ "${fourkAnyQt:-0}" = 1 ]; then
    FOURK_QT=${FOURK_QT:-5}
else
    FOURK_QT=5
fi
case "$FOURK_QT" in
    5)
        fourkQtPackages=(qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev)
        FOURK_BUILD_DIR=$FOURK_ROOT/build
        ;;
    6)
        # Qt6Gui's CMake package requires OpenGL; qt6-base-dev pulls it in today, named anyway.
        fourkQtPackages=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-svg-dev libgl-dev
            libopengl-dev)
        FOURK_BUILD_DIR=$FOURK_ROOT/build-qt6
        ;;
    *)
        echo "FOURK_QT must be 5 or 6, not '$FOURK_QT'" >&2
        exit 2
        ;;
esac

# Packages every build needs; Eigen for the fitter.
FOURK_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config libeigen3-dev "${fourkQtPackages[@]}")

# Installs the Debian packages among "$@" that are not installed yet, and only those.
fourk_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Configures (first time) and builds into $1 with the chosen Qt, passing the rest to CMake's
# configure step.
fourk_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$FOURK_ROOT" -B "$dir" -G Ninja -DFOURK_QT="$FOURK_QT" "$@"
    else
        cmake "$dir" -DFOURK_QT="$FOURK_QT" "$@" >/dev/null
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}
