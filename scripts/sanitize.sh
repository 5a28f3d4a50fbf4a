#!/usr/bin/env bash
# The core test suite once more under clang's AddressSanitizer and UndefinedBehaviorSanitizer (float-cast-overflow
# included), in build-sanitize/, then every fuzz target for SECONDS each (default 20). Any report fails.
# Usage: scripts/sanitize.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREL_WERROR=ON \
  -DTAVREL_SANITIZE=ON -DTAVREL_FUZZ=ON -DTAVREL_BUILD_GUI=OFF -DTAVREL_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-sanitize -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure -j"$(nproc)" -LE 'package|no-sanitize')
scripts/fuzz.sh "$seconds" build-sanitize
