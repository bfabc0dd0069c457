#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: only
# missing packages are installed, so a prepared machine pays nothing.
set -euo pipefail

build_pkgs=(cmake g++ make pkg-config qt6-base-dev qt6-image-formats-plugins libgl-dev libjpeg62-turbo-dev libpng-dev libgif-dev libuemf-dev qt6-translations-l10n)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev imagemagick libmagickcore-6.q16-6-extra libimage-exiftool-perl clang libclang-rt-14-dev libfuzzer-14-dev libjpeg-turbo-progs xvfb xauth openbox xdotool xclip)

want=("${build_pkgs[@]}")
if [ "${1:-}" = "--test" ]; then want+=("${test_pkgs[@]}"); fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
