#!/usr/bin/env bash
# Builds the project and starts the desktop window. Without a display it runs the batch road loading on the
# bundled example project instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting the window: build/tavrel"
  exec build/tavrel
fi
echo "No display (neither \$DISPLAY nor \$WAYLAND_DISPLAY is set): running the batch job instead of the window."
ex=examples/mainline
echo "Loading the example main line ($ex) with build/tavrel-cli:"
build/tavrel-cli stations --mode mainline --jdx "$ex/road.jdx" --dl "$ex/road.dl" --zdm "$ex/road.zdm" \
  --cg "$ex/road.cg" --from 12000 --to 13200 --step 100 --csv -
echo
echo "Calculating the example bridge ($ex/bridge.txt):"
road=(--mode mainline --jdx "$ex/road.jdx" --dl "$ex/road.dl" --zdm "$ex/road.zdm" --cg "$ex/road.cg"
      --layout "$ex/bridge.txt")
build/tavrel-cli calc "${road[@]}"
build/tavrel-cli calc "${road[@]}" --xlsx build/example-mainline.xlsx
echo
echo "The workbook of the same calculation: build/example-mainline.xlsx"
