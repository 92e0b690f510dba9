# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64-posix).
#   cmake -S . -B build/windows --toolchain cmake/mingw-w64.cmake -DTABORA_WIN32=ON
# The posix thread model is needed for std::thread and std::mutex. Executables are linked
# statically, so that they run alone on Windows and under Wine (a missing DLL makes a program
# exit silently there). Tests run under Wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TABORA_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${TABORA_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TABORA_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TABORA_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TABORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# -O2 rather than -O3 for release: GCC 12 at -O3 reports false -Wrestrict overlaps inside
# std::u16string's own code.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags for release builds")

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TABORA_WINE NAMES wine)
  if(TABORA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TABORA_WINE})
  endif()
endif()
