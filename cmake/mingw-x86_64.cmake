# The same sources as 64-bit executables, for test machines whose kernel cannot run
# 32-bit code (and therefore no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VASK_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
