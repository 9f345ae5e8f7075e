# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler, POSIX thread model
# (package g++-mingw-w64-x86-64-posix):
#
#   cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The programs are linked statically (libstdc++, libgcc, winpthread), so each .exe runs
# by itself on Windows or under Wine, with no DLL beside it but the system's own.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TZV_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TZV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TZV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TZV_MINGW_TRIPLE}-windres)

# Headers and libraries come from the cross environment only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TZV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Objects compiled through ccache when it is installed, as ./tzv does for both builds,
# unless the launcher was chosen on the command line.
find_program(TZV_CCACHE ccache)
if(TZV_CCACHE)
  if(NOT CMAKE_C_COMPILER_LAUNCHER)
    set(CMAKE_C_COMPILER_LAUNCHER ${TZV_CCACHE})
  endif()
  if(NOT CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${TZV_CCACHE})
  endif()
endif()
