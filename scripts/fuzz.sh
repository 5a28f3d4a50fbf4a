#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each (default 20), two at a time, each from a seed corpus
# made of the example projects and the dictionary fuzz/tavrel.dict. Fails when a target reports a crash, a
# sanitizer finding, a non-finite result, a timeout (10 s for one input) or runs out of memory (2 GiB).
# A failing input is kept in BUILD/fuzz-findings/. Usage: scripts/fuzz.sh [SECONDS] [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${2:-build-sanitize}
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# seed TARGET FILE...: the target's corpus starts with these files.
seed() {
  local target=$1; shift
  mkdir -p "$work/$target"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$work/$target/$(echo "$f" | tr '/' '_')"; done
  return 0
}
seed ChainBreakFileFuzz examples/*/*.dl
seed IntersectionPointFileFuzz examples/mainline/*.jdx
seed ElementFileFuzz examples/interchange/*.jdx
seed ProfileFileFuzz examples/*/*.zdm
seed SuperelevationFileFuzz examples/*/*.cg
seed LayoutFileFuzz examples/*/bridge.txt
seed LandXmlFileFuzz tests/data/landxml/*.xml
# The pipeline reads one mode byte (0 straight, 1 main line, 2 interchange, 3 LandXML), then the plan,
# chain-break, profile, superelevation and layout files separated by NUL bytes (an empty part: the mode reads no
# such file).
mkdir -p "$work/PipelineFuzz"
for ex in straight mainline interchange; do
  d=examples/$ex
  case $ex in straight) mode=0; plan=/dev/null; dl=$d/road.dl; base=road;;
              mainline) mode=1; plan=$d/road.jdx; dl=$d/road.dl; base=road;;
              interchange) mode=2; plan=$d/ramp.jdx; dl=/dev/null; base=ramp;; esac
  { printf "\\x3$mode"; cat "$plan"; printf '\0'; cat "$dl"; printf '\0'; cat "$d/$base.zdm"; printf '\0'
    cat "$d/$base.cg"; printf '\0'; cat "$d/bridge.txt"; } > "$work/PipelineFuzz/$ex"
done
# A LandXML road (mode 3): the file in the plan's place, no chain-break or profile file.
{ printf '3'; cat tests/data/landxml/spiral.xml; printf '\0\0\0'
  printf '7.5,0.5,-0.5,-7.5\r\n0 2 -2\r\n1000 2 -2\r\n\0'
  printf '90\r\n-3 3\r\n1# 50 1.5 0.3\r\n2# 80 1.5 0.3\r\n'; } > "$work/PipelineFuzz/landxml"

run() {
  local target=$1
  local exe="$build/fuzz/$target"
  [ -x "$exe" ] || { echo "missing fuzz target $exe"; return 1; }
  mkdir -p "$work/$target" "$work/artifacts-$target"
  if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -dict="$root/fuzz/tavrel.dict" \
       -artifact_prefix="$work/artifacts-$target/" -print_final_stats=1 -seed=1 "$work/$target" \
       > "$work/$target.log" 2>&1; then
    echo "$target: $(grep -E '^stat::number_of_executed_units' "$work/$target.log" | awk '{print $2}') runs," \
         "$(grep -oE 'cov: [0-9]+' "$work/$target.log" | tail -1) edges, no finding"
  else
    echo "$target: FAILED"; tail -40 "$work/$target.log"
    mkdir -p "$build/fuzz-findings"; cp -r "$work/artifacts-$target/." "$build/fuzz-findings/" 2>/dev/null || true
    return 1
  fi
}
export -f run
export work build seconds root
targets=$(cd "$build/fuzz" && ls -1 *Fuzz 2>/dev/null)
[ -n "$targets" ] || { echo "no fuzz targets in $build/fuzz"; exit 1; }
printf '%s\n' $targets | xargs -P2 -I{} bash -c 'run {}'
