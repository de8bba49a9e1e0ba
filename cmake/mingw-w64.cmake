# Cross build for 64-bit Windows with Debian's mingw-w64 GCC, posix thread
# model (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DHENGCHUAN_GUI=OFF
# The programs link the GCC runtime, the C++ library and winpthread
# statically, so each .exe runs alone, under Wine too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HENGCHUAN_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${HENGCHUAN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HENGCHUAN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${HENGCHUAN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HENGCHUAN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
