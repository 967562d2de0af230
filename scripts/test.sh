#!/bin/sh
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/setup.sh"
. "$root/scripts/arch.sh"
for arch in $VASK_BUILD_ARCHES; do
    cmake -S "$root" -B "$root/build/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
    cmake --build "$root/build/$arch" -j"$(nproc)" -- --no-print-directory >/dev/null
done
if [ "$VASK_TEST_ARCH" != i686 ]; then
    echo "test: 32-bit code cannot run on this machine; testing the $VASK_TEST_ARCH build of the same sources"
    ctest --test-dir "$root/build/i686" -L product --output-on-failure
fi
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$root/build/$VASK_TEST_ARCH" --output-on-failure "$@"
