# Sourced: picks the build that this machine's Wine can run. The shipped programs are 32-bit;
# where the kernel cannot execute 32-bit code (no 32-bit Wine), the same sources are also
# built as 64-bit programs and those are what the tests run.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    VASK_TEST_ARCH=i686
    VASK_BUILD_ARCHES=i686
else
    VASK_TEST_ARCH=x86_64
    VASK_BUILD_ARCHES="i686 x86_64"
fi
