#!/bin/sh
# Installs what is missing, builds the programs and says where they are.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/i686" -j"$(nproc)" -- --no-print-directory >/dev/null
echo "VaskService.exe: $root/build/i686/service/VaskService.exe"
