# Shared set-up of the start and test commands: install the Debian packages that are missing,
# then configure and build. Sourced, not run.
set -euo pipefail

REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARNVALE_BUILD_DIR:-$REPO_ROOT/build}"

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-webengine-dev qt6-svg-dev libqt6sql6-sqlite libqt6webenginecore6-bin
    libgl-dev libgtest-dev libicu-dev
    fonts-noto-cjk qt6-translations-l10n
)

# (Outputs are read whole: "grep -q" in a pipe can stop the writer, and pipefail then fails.)
is_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

# Whether apt has a version of the package it could install (not only a virtual name).
apt_knows() {
    local policy
    policy="$(apt-cache policy "$1" 2>/dev/null)"
    [[ "$policy" =~ Candidate:\ [^\(] ]]
}

# Installs the listed packages (and any given as arguments) that are missing, with sudo when
# not root. Package names are the same on Debian 12 and 13; one apt cannot find is named.
install_missing_packages() {
    local missing=()
    local package
    for package in "${PACKAGES[@]}" "$@"; do
        is_installed "$package" || missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo > /dev/null; then
            echo "These Debian packages are missing: ${missing[*]}" >&2
            echo "Install them as root (apt-get install ${missing[*]}), then run this again." >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing Debian packages: ${missing[*]}"
    "${sudo[@]}" apt-get update
    local unknown=()
    for package in "${missing[@]}"; do
        apt_knows "$package" || unknown+=("$package")
    done
    if [ ${#unknown[@]} -ne 0 ]; then
        echo "apt cannot find these Debian packages: ${unknown[*]}" >&2
        echo "Check /etc/apt/sources.list (Debian 12 or 13, component main)." >&2
        exit 1
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# cmake -S SOURCE -B BUILD OPTIONS...: a build folder made before keeps its generator.
configure() {
    local source="$1" build="$2"
    shift 2
    local generator=()
    [ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
    cmake -S "$source" -B "$build" "${generator[@]}" "$@"
}

# build_tarnvale [CMAKE OPTIONS...]
build_tarnvale() {
    configure "$REPO_ROOT" "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$BUILD_DIR"
}

# The engine refuses to start as root unless its sandbox is turned off.
allow_engine_as_root() {
    if [ "$(id -u)" -eq 0 ] && [ -z "${QTWEBENGINE_DISABLE_SANDBOX:-}" ]; then
        echo "Running as root: the page engine's sandbox is turned off for this run."
        export QTWEBENGINE_DISABLE_SANDBOX=1
    fi
}

# The unit and window tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
run_sanitizer_tests() {
    local dir="$BUILD_DIR-sanitize"
    configure "$REPO_ROOT" "$dir" -DCMAKE_BUILD_TYPE=Debug -DTARNVALE_SANITIZE=ON
    cmake --build "$dir" --target core_tests search_tests favorites_tests tools_tests \
        platform_tests browser_tests
    ctest --test-dir "$dir" --output-on-failure -R '^(core|search|favorites|tools|platform|browser)_tests$'
}

# Each fuzz target for a bounded time (TARNVALE_FUZZ_SECONDS, default 45), seeded from
# tests/data. A failing input is left in the build folder, to be kept under
# tests/data/fuzz-regressions/<target>/, where every later run starts from it.
run_fuzz_smoke() {
    local dir="$BUILD_DIR-fuzz"
    local seconds="${TARNVALE_FUZZ_SECONDS:-45}"
    configure "$REPO_ROOT/tests/fuzz" "$dir" -DCMAKE_CXX_COMPILER=clang++
    cmake --build "$dir"
    local target seeds corpus
    for target in reg_file profile_file skin_file shortcut_address shown_host file_name \
        command_line bookmarks_html bookmarks_json; do
        case "$target" in
            reg_file) seeds="$REPO_ROOT/tests/data/registry" ;;
            profile_file) seeds="$REPO_ROOT/tests/data/favorites" ;;
            skin_file) seeds="$REPO_ROOT/assets" ;;
            *) seeds="$REPO_ROOT/tests/data/fuzz-seeds/$target" ;;
        esac
        corpus="$(mktemp -d)"
        find "$seeds" "$REPO_ROOT/tests/data/fuzz-regressions/${target%_file}" -maxdepth 1 \
            -type f ! -name '.*' -exec cp -t "$corpus" {} +
        mkdir -p "$dir/artifacts"
        echo "Fuzzing $target for ${seconds}s"
        if ! QT_QPA_PLATFORM=offscreen "$dir/fuzz_$target" -max_total_time="$seconds" \
            -print_final_stats=1 -artifact_prefix="$dir/artifacts/$target-" "$corpus" ; then
            echo "The $target fuzzer found a failing input in $dir/artifacts/;" \
                 "keep it under tests/data/fuzz-regressions/ once fixed."
            rm -rf "$corpus"
            return 1
        fi
        rm -rf "$corpus"
    done
}
