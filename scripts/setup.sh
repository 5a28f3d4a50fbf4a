#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: install the Debian packages the project needs when they are missing,
# then configure and build into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config clang-format libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
          libxlsxwriter-dev python3-openpyxl qt6-base-dev qt6-translations-l10n fonts-noto-cjk
          libreoffice-calc poppler-utils qt6-svg-dev python3-ezdxf librsvg2-bin
          lintian desktop-file-utils help2man dpkg-dev xdg-utils shared-mime-info man-db
          libpugixml-dev clang libclang-rt-14-dev universal-ctags)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Warnings are errors here (and so in CI): the tree builds warning-free.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREL_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
