#!/usr/bin/env bash
# Builds the project (warnings are errors), checks the formatting of every C++ file, runs the whole test suite,
# then runs the core suite under the sanitizers and fuzzes every reader and the whole pipeline.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/check-format.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
# The core suite again under clang's AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target
# for 20 s (build-sanitize/).
scripts/sanitize.sh 20
