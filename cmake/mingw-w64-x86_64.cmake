# Cross-compiles the Windows program from Debian with MinGW-w64, 64-bit (the
# 32-bit build sets VEXAL_MINGW_TRIPLET first: mingw-w64-i686.cmake).
# The -posix variants have std::thread and std::mutex (the default win32 thread model has not).
if(NOT VEXAL_MINGW_TRIPLET)
  set(VEXAL_MINGW_TRIPLET x86_64-w64-mingw32)
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${VEXAL_MINGW_TRIPLET})
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VEXAL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXAL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXAL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEXAL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs of the build run under Wine; the wrapper picks the build's own prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/run-in-wine.sh)
