# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (posix
# threads, so std::thread and std::mutex work), runtime linked statically so
# each .exe runs on its own. Programs built here run under wine on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")  # no symbols in the shipped .exe

# Debian's wine has no plain "wine" command unless wine32 is installed too.
find_program(VM_WINE NAMES wine wine-stable wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VM_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VM_WINE})
endif()
