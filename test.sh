#!/usr/bin/env bash
# Builds the project (warnings are errors), checks the formatting of every C++ file and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/check-format.sh
cd build
ctest --output-on-failure -j"$(nproc)"
