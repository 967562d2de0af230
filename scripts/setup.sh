#!/bin/sh
# Installs, from Debian's packages, everything the build and the tests need.
# Idempotent and silent when everything is already present. Must run as root.
set -eu

# The x86_64 compiler and wine64 serve machines whose kernel cannot run 32-bit code.
packages="cmake make g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix
binutils-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine32:i386 wine64 xvfb xauth
googletest imagemagick zip xdotool"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages:$missing (run as root to install them)" >&2
    exit 1
fi

echo "setup: installing$missing"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing >/dev/null
