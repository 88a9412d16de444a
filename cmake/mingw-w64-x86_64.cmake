# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# std::thread needs). Test programs run under Wine through the cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WAKEBURST_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WAKEBURST_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WAKEBURST_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${WAKEBURST_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WAKEBURST_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libstdc++, libgcc or winpthread DLLs to ship beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(WAKEBURST_WINE NAMES wine64 wine)
if(WAKEBURST_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WAKEBURST_WINE})
endif()
