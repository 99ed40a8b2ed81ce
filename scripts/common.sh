# Shared set-up of the start and test commands: install the Debian packages that are missing,
# then configure and build. Sourced, not run.
set -euo pipefail

REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARNVALE_BUILD_DIR:-$REPO_ROOT/build}"

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-webengine-dev qt6-svg-dev libqt6sql6-sqlite libqt6webenginecore6-bin
    libgl-dev libgtest-dev libgmock-dev
    fonts-noto-cjk
)

install_missing_packages() {
    local missing=()
    local package
    for package in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing Debian packages: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build_tarnvale() {
    cmake -S "$REPO_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$BUILD_DIR"
}

# The engine refuses to start as root unless its sandbox is turned off.
allow_engine_as_root() {
    if [ "$(id -u)" -eq 0 ] && [ -z "${QTWEBENGINE_DISABLE_SANDBOX:-}" ]; then
        echo "Running as root: the page engine's sandbox is turned off for this run."
        export QTWEBENGINE_DISABLE_SANDBOX=1
    fi
}
