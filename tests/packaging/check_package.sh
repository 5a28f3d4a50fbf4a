#!/usr/bin/env bash
# Checks of the Debian package, one step per ctest test:
#   check_package.sh STEP SOURCE_DIR BUILD_DIR WORK_DIR
# build:    packages BUILD_DIR with scripts/package.sh into WORK_DIR (the other steps use that .deb)
# contents: the package holds the programs, manual, examples, manual pages, desktop entry, icon and file types
# lintian:  lintian reports no error
# desktop:  the desktop entry validates; the file types load into a MIME database and leave *.txt alone
# runs:     unpacked into a temporary folder, tavrel-cli runs from there and calculates the example main line
#           exactly as the build tree's tavrel-cli does; no program misses a shared library
set -euo pipefail
step=$1 source=$2 build=$3 work=$4

fail() { echo "FAIL: $*" >&2; exit 1; }
deb() {
  local found=("$work"/tavrel_*.deb)
  [ -f "${found[0]}" ] || fail "no package in $work (the step 'build' makes it)"
  echo "${found[0]}"
}
unpacked() {
  local dir
  dir=$(mktemp -d)
  dpkg-deb -x "$(deb)" "$dir"
  echo "$dir"
}

case "$step" in
build)
  rm -rf "$work" && mkdir -p "$work"
  "$source/scripts/package.sh" --build-dir "$build" --output-dir "$work"
  ;;
contents)
  pkg=$(deb)
  listing=$(dpkg-deb --contents "$pkg" | awk '{print $NF}' | sed 's|^\./|/|')
  expected=(/usr/bin/tavrel /usr/bin/tavrel-cli /usr/share/tavrel/tavrel.html
            /usr/share/man/man1/tavrel-cli.1.gz /usr/share/man/man1/tavrel.1.gz
            /usr/share/doc/tavrel/copyright /usr/share/doc/tavrel/changelog.gz
            /usr/share/applications/tavrel.desktop /usr/share/icons/hicolor/scalable/apps/tavrel.svg
            /usr/share/mime/packages/tavrel.xml)
  while IFS= read -r f; do expected+=("/usr/share/doc/tavrel/examples/${f#"$source"/examples/}"); done \
    < <(find "$source/examples" -type f | sort)
  for f in "${expected[@]}"; do grep -qxF "$f" <<<"$listing" || fail "$f is not in the package"; done
  # The examples go in byte for byte (GBK, CR LF).
  dir=$(unpacked)
  trap 'rm -rf "$dir"' EXIT
  diff -r "$source/examples" "$dir/usr/share/doc/tavrel/examples" || fail "the examples changed on the way"
  # The changelog's latest entry is this version.
  version=$(dpkg-deb -f "$pkg" Version)
  head -1 <(gzip -dc "$dir/usr/share/doc/tavrel/changelog.gz") | grep -qF "tavrel ($version)" ||
    fail "packaging/changelog has no entry for $version"
  echo "${#expected[@]} files checked in $pkg"
  ;;
lintian)
  # Errors fail; warnings and the rest are shown for whoever reads the log.
  out=$(lintian --display-level ">=warning" "$(deb)" 2>&1) || true
  echo "$out"
  ! grep -q '^E: ' <<<"$out" || fail "lintian reports errors"
  ;;
desktop)
  dir=$(unpacked)
  trap 'rm -rf "$dir"' EXIT
  desktop-file-validate "$dir/usr/share/applications/tavrel.desktop"
  # A MIME database of the standard types and ours, in a data folder of its own.
  mkdir -p "$dir/data/mime/packages"
  cp /usr/share/mime/packages/freedesktop.org.xml "$dir/usr/share/mime/packages/tavrel.xml" "$dir/data/mime/packages/"
  log=$(XDG_DATA_DIRS=$dir/data update-mime-database "$dir/data/mime" 2>&1)
  echo "$log"
  ! grep -qi 'error\|fail\|warning\|invalid' <<<"$log" || fail "update-mime-database does not accept tavrel.xml"
  globs=$dir/data/mime/globs2
  types=$(sed -n 's/^MimeType=//p' "$dir/usr/share/applications/tavrel.desktop" | tr ';' '\n' | sed '/^$/d')
  for type in $types; do
    grep -q ":$type:\*\.[a-z]*$" "$globs" || fail "the desktop entry's $type has no file pattern"
  done
  ! grep -q 'x-tavrel.*:\*\.txt$' "$globs" || fail "*.txt is claimed"
  echo "$(wc -w <<<"$types") file types, each with its pattern; *.txt left alone"
  ;;
runs)
  dir=$(unpacked)
  trap 'rm -rf "$dir"' EXIT
  unset LD_LIBRARY_PATH
  for program in "$dir"/usr/bin/*; do
    ! ldd "$program" | grep 'not found' || fail "$program misses a shared library"
  done
  cli=$dir/usr/bin/tavrel-cli
  [ "$("$cli" --version)" = "tavrel-cli $(dpkg-deb -f "$(deb)" Version)" ] || fail "tavrel-cli --version"
  ex=$dir/usr/share/doc/tavrel/examples/mainline
  args=(calc --mode mainline --jdx "$ex/road.jdx" --dl "$ex/road.dl" --zdm "$ex/road.zdm" --cg "$ex/road.cg"
        --layout "$ex/bridge.txt" --json -)
  "$cli" "${args[@]}" >"$dir/packaged.json"
  "$build/tavrel-cli" "${args[@]}" >"$dir/built.json"
  grep -q '"pedestals"' "$dir/packaged.json" || fail "no pedestals calculated"
  cmp "$dir/packaged.json" "$dir/built.json" || fail "the packaged tavrel-cli calculates otherwise"
  # The window finds its manual from /usr/bin in ../share/tavrel.
  cmp "$dir/usr/bin/../share/tavrel/tavrel.html" "$source/src/app/window/tavrel.html"
  echo "tavrel-cli from $dir calculated $(grep -o '"pierName"' "$dir/packaged.json" | wc -l) piers"
  ;;
*)
  fail "unknown step $step"
  ;;
esac
