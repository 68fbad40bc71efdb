# 64-bit Windows: the same sources, built to be run and tested under wine64 on machines that
# cannot execute 32-bit code (see tools/width).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
