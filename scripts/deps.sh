# Shared by scripts/run and scripts/test: installs the Debian packages the build needs
# when any is missing, then configures and builds incrementally.

# What the movies need when they play: the QML modules they import and the font they
# name. The Debian package depends on exactly these (dist/CMakeLists.txt reads this
# list), so a module a movie starts to import belongs here, not in TARNO_PACKAGES.
TARNO_MOVIE_PACKAGES=(
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
    qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtquick-shapes
    qml6-module-qtqml-workerscript fonts-dejavu-core
    # The sound effects, SoundEffect: silent where no sound server runs.
    qml6-module-qtmultimedia
)

TARNO_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-declarative-dev qt6-svg-dev libqt6svg6 libgl-dev
    "${TARNO_MOVIE_PACKAGES[@]}"
    qml6-module-qttest qt6-declarative-dev-tools
    libglib2.0-dev libgtest-dev libgmock-dev libbenchmark-dev
    # The solver's completion check: a SAT solver, linked statically (nothing at run time).
    libcadical-dev
    libxcb1-dev
    # The window-manager test: captions and frames on a screen of its own.
    xvfb openbox
)

tarno_install_packages() {
    local missing=()
    local pkg
    for pkg in "${TARNO_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# tarno_build BUILD_DIR [cmake options...]
tarno_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$TARNO_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" -j "$(nproc)"
}
