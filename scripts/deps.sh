# SPDX-License-Identifier: GPL-3.0-or-later
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
    libglib2.0-dev libgtest-dev libgmock-dev
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

# tarno_use_display "$0" "$@": for a script that needs a screen, called before its work.
# With a display (or QT_QPA_PLATFORM) set, it returns at once; else it runs the script
# again on an Xvfb screen of its own (tests/support/on_xvfb.sh, 1280 x 1024, no window
# manager) and exits with it, or falls back to the offscreen platform without Xvfb.
# TARNO_WHERE says which, for the script's report.
tarno_use_display() {
    if [ -n "${DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
        TARNO_WHERE=${TARNO_WHERE:-${QT_QPA_PLATFORM:+the $QT_QPA_PLATFORM platform}}
        TARNO_WHERE=${TARNO_WHERE:-display $DISPLAY}
        return 0
    fi
    if command -v Xvfb >/dev/null; then
        TARNO_WHERE="Xvfb 1280x1024" exec "$TARNO_ROOT/tests/support/on_xvfb.sh" --bare \
            --screen 1280x1024 "$@"
    fi
    export QT_QPA_PLATFORM=offscreen
    TARNO_WHERE="offscreen platform"
}

# tarno_games: the gameId of every catalogue game, in menu order, as the built program
# lists them (tarno-playroom --check-movies plays each once and names its movie).
tarno_games() {
    "$TARNO_ROOT/build/bin/tarno-playroom" --check-movies 2>/dev/null |
        sed -n 's/^played\t.*[?&]gameType=\([^&\t]*\).*$/\1/p'
}
