#!/usr/bin/env bash
# Installs the build the way the package does and checks what a desktop needs of it: the
# program folder, the command link, a valid menu entry and its icon, a Debian package with its
# dependencies; then starts the installed command on a local page on an X server of its own.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
check() { # description, command...
    local what="$1"
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what" >&2; failures=$((failures + 1)); fi
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > "$work/install.log"
usr="$work/root/usr"
check "program folder holds the executable" test -x "$usr/lib/tarnvale/tarnvale"
check "program folder holds the skin" test -f "$usr/lib/tarnvale/skin.skn"
check "bin/tarnvale links into the program folder" \
    test "$(readlink "$usr/bin/tarnvale")" = "../lib/tarnvale/tarnvale"
entry="$usr/share/applications/tarnvale.desktop"
check "menu entry is valid" desktop-file-validate "$entry"
check "menu entry is named 塔文浏览器" grep -qx "Name=塔文浏览器" "$entry"
check "menu entry is a web browser" grep -qx "Categories=Network;WebBrowser;" "$entry"
for type in x-scheme-handler/http x-scheme-handler/https application/x-mswinurl; do
    check "menu entry handles $type" grep -q "^MimeType=.*$type;" "$entry"
done
check "menu entry runs the installed command" grep -qx "Exec=tarnvale %u" "$entry"
check "icon in the hicolor theme" test -f "$usr/share/icons/hicolor/scalable/apps/tarnvale.svg"

# The Debian package: same files, and the libraries the program loads at run time.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" > "$work/cpack.log" 2>&1
deb="$(ls "$work"/package/tarnvale_*.deb)"
contents="$(dpkg-deb -c "$deb")"
for file in ./usr/lib/tarnvale/tarnvale ./usr/lib/tarnvale/skin.skn ./usr/bin/tarnvale \
    ./usr/share/applications/tarnvale.desktop ./usr/share/icons/hicolor/scalable/apps/tarnvale.svg; do
    check "package holds $file" grep -q " $file" <<< "$contents"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6webenginecore6 libqt6webenginewidgets6 libqt6sql6-sqlite libqt6svg6 libc6; do
    check "package depends on $package" grep -q "$package" <<< "$depends"
done

# The installed command, through its link, opens a page given on the command line.
mkdir -p "$work/home"
printf '<html><head><title>Installed</title></head><body>ok</body></html>' > "$work/page.html"
started() {
    if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi # root only
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
        XDG_CACHE_HOME="$work/home/.cache" XDG_CONFIG_DIRS="$work/etc" QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
            "$1" "$2" 2> /dev/null &
            program=$!
            # Polled: one search aborts when a window goes while it walks the window tree.
            found=1
            for _ in $(seq 600); do
                xdotool search --name "^Installed - Tarnvale$" > /dev/null 2>&1 && found=0 && break
                sleep 0.1
            done
            kill "$program"
            wait "$program" 2> /dev/null || true
            exit $found' _ "$usr/bin/tarnvale" "$work/page.html"
}
check "installed command shows the page it was given" started

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
