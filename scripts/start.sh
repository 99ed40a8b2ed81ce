#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarnvale.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_tarnvale
allow_engine_as_root
exec "$BUILD_DIR/bin/tarnvale" "$@"
