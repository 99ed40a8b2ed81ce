#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (offscreen; no display needed).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_tarnvale
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
