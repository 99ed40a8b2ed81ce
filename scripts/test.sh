#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suites (offscreen, and the
# end-to-end suite and the benchmarks' smoke runs under an X server of their own; no display
# needed), then the unit and window tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded run of each fuzzer. TARNVALE_QUICK=1 stops after
# the suites.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages xvfb xauth xdotool xclip openbox x11-utils x11-apps libxcb1-dev procps \
    clang libclang-rt-dev dpkg-dev file desktop-file-utils
# The benchmarks too: the suites smoke-run each of them, so that none rots unnoticed.
build_tarnvale -DTARNVALE_BUILD_BENCH=ON
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
if [ -z "${TARNVALE_QUICK:-}" ]; then
    run_sanitizer_tests
    run_fuzz_smoke
fi
