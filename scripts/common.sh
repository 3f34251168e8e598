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
        fourkQtPackages=(qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev
            qttranslations5-l10n)
        FOURK_BUILD_DIR=$FOURK_ROOT/build
        ;;
    6)
        # Qt6Gui's CMake package requires OpenGL; qt6-base-dev pulls it in today, named anyway.
        fourkQtPackages=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-svg-dev libgl-dev
            libopengl-dev qt6-translations-l10n)
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

# Builds this tree in Release with the benchmarks into build-bench, the given targets only.
fourk_build_bench() {
    fourk_install_missing "${FOURK_BUILD_PACKAGES[@]}" libfftw3-dev libbenchmark-dev
    fourk_configure_release "$FOURK_ROOT" "$FOURK_ROOT/build-bench" -DFOURK_BENCH_BASELINE=OFF
    cmake --build "$FOURK_ROOT/build-bench" --parallel "$(nproc)" --target "$@"
}

# Builds commit $1 beside this tree, in Release like build-bench, the targets given after it
# only: its files come from git archive into build-compare/src-<commit> (never a worktree, so
# nothing is registered in the repository), with this tree's step cases (bench/steps) copied in;
# the build goes to build-compare/build-<commit>. Sets fourkOldSource and fourkOldBuild.
fourk_build_commit() {
    local sha
    sha=$(git -C "$FOURK_ROOT" rev-parse --verify --quiet "$1^{commit}") \
        || { echo "Not a commit: '$1'" >&2; return 2; }
    shift
    fourk_install_missing "${FOURK_BUILD_PACKAGES[@]}" libfftw3-dev libbenchmark-dev
    fourkOldSource=$FOURK_ROOT/build-compare/src-$sha
    fourkOldBuild=$FOURK_ROOT/build-compare/build-$sha
    if [ ! -f "$fourkOldSource/CMakeLists.txt" ]; then
        rm -rf "$fourkOldSource"
        mkdir -p "$fourkOldSource"
        git -C "$FOURK_ROOT" archive "$sha" | tar -x -C "$fourkOldSource"
    fi
    # Copied only where they differ, so that a rerun rebuilds nothing it need not.
    mkdir -p "$fourkOldSource/bench/steps"
    local f
    for f in "$FOURK_ROOT"/bench/steps/*; do
        cmp -s "$f" "$fourkOldSource/bench/steps/${f##*/}" || cp "$f" "$fourkOldSource/bench/steps/"
    done
    grep -qx 'add_subdirectory(steps)' "$fourkOldSource/bench/CMakeLists.txt" \
        || echo 'add_subdirectory(steps)' >>"$fourkOldSource/bench/CMakeLists.txt"
    fourk_configure_release "$fourkOldSource" "$fourkOldBuild" -DFOURK_BENCH_BASELINE=ON
    cmake --build "$fourkOldBuild" --parallel "$(nproc)" --target "$@"
}

# Configures source $1 into build $2 as the benchmarks are built, with the options after them.
fourk_configure_release() {
    local source=$1 build=$2
    shift 2
    cmake -S "$source" -B "$build" -G Ninja -DFOURK_QT="$FOURK_QT" -DCMAKE_BUILD_TYPE=Release \
        -DFOURK_BUILD_BENCH=ON -DFOURK_BUILD_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "$@" \
        >/dev/null
}
