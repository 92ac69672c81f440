# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads variant, which
# std::thread and friends need). Programs are linked statically, so the .exe files run on a bare
# Windows or under wine without any of the compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZAM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZAM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZAM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZAM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZAM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs are run (and their tests listed) through wine.
find_program(ZAM_WINE wine)
if(ZAM_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZAM_WINE})
endif()

# GCC 12 reports impossible overlaps in inlined std::string copies at -O2 and above (its bug
# 105329); the warning says nothing about this code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
