#!/usr/bin/env bash
# Builds the project and runs the batch road loading on the bundled example project.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
ex=examples/mainline
echo "Loading the example main line ($ex) with build/tavrel-cli:"
build/tavrel-cli stations --mode mainline --jdx "$ex/road.jdx" --dl "$ex/road.dl" --zdm "$ex/road.zdm" \
  --cg "$ex/road.cg" --from 12000 --to 13200 --step 100 --csv -
