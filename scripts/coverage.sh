#!/usr/bin/env bash
# Builds with coverage into its own folder (build-coverage), runs every test there and prints
# the product's line and branch coverage (tests, benchmarks and fakes left out). Not part of
# the test command: it takes as long again.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages gcovr xvfb xauth xdotool xclip openbox x11-utils procps dpkg-dev file \
    desktop-file-utils
dir="$BUILD_DIR-coverage"
configure "$REPO_ROOT" "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
    -DCMAKE_EXE_LINKER_FLAGS=--coverage
cmake --build "$dir"
find "$dir" -name '*.gcda' -delete
# CMake's compiler checks leave coverage notes of files that are not ours.
find "$dir/CMakeFiles" -path '*CompilerId*' -name '*.gc*' -delete
status=0
ctest --test-dir "$dir" --output-on-failure || status=$?
gcovr --root "$REPO_ROOT" --object-directory "$dir" --exclude "$REPO_ROOT/tests/" \
    --exclude "$REPO_ROOT/bench/" --exclude '.*/testing/.*' --exclude '.*_autogen/.*' \
    --exclude "$dir/" --print-summary --txt "$dir/coverage.txt"
echo "Per file: $dir/coverage.txt"
exit "$status"
