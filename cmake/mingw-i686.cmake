# The shipped build: 32-bit Windows executables.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VASK_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
