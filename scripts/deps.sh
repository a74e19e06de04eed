#!/usr/bin/env bash
# Installs the Debian packages a task needs, skipping those already present.
# Usage: scripts/deps.sh build|test|shots
set -euo pipefail

# The sign engine is built for the ATmega8 with avr-gcc; Flash to the Board runs avrdude
# and offers the serial ports found (Qt Serial Port).
build=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
       fonts-dejavu-core fonts-liberation2 gcc-avr avr-libc binutils-avr avrdude)
test=("${build[@]}" libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth python3 python3-xlib
      clang libclang-rt-14-dev dpkg-dev file lintian libsimavr-dev libelf-dev ccache)
shots=("${build[@]}" xvfb xauth imagemagick openbox x11-utils)

case "${1:-build}" in
    build) wanted=("${build[@]}") ;;
    test) wanted=("${test[@]}") ;;
    shots) wanted=("${shots[@]}") ;;
    *) echo "usage: $0 build|test|shots" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
