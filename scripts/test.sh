#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (offscreen, and the end-to-end suite
# under an X server of its own; no display needed).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# The end-to-end suite runs the real program on an X server of its own and drives it.
install_missing_packages xvfb xauth xdotool xclip
build_tarnvale
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
