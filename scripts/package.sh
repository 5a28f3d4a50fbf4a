#!/usr/bin/env bash
# Builds the Debian package tavrel_<version>_<arch>.deb and prints its path.
#   scripts/package.sh                  release build in build-package/ (Debian's hardening flags), packaged there
#   scripts/package.sh --build-dir DIR  packages the existing build tree DIR as it is (the package tests use build/)
#   --output-dir DIR                    where the .deb goes (default: the build tree)
# Needs cmake, dpkg-dev (dpkg-shlibdeps, dpkg-buildflags) and help2man; scripts/setup.sh installs them.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-package
configure=yes
out=
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build=$2; configure=no; shift 2 ;;
    --output-dir) out=$2; shift 2 ;;
    *) echo "usage: scripts/package.sh [--build-dir DIR] [--output-dir DIR]" >&2; exit 2 ;;
  esac
done
out=${out:-$build}

if [ "$configure" = yes ]; then
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build "$build" -j"$(nproc)"
fi
[ -f "$build/CPackConfig.cmake" ] || { echo "scripts/package.sh: $build is not a configured build tree" >&2; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$out/tavrel_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
[ -f "$deb" ] || { echo "scripts/package.sh: cpack did not write $deb" >&2; exit 1; }
echo "$deb"
