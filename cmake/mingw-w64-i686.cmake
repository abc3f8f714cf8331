# The 32-bit Windows program, for the older PCs beside the scope: the same
# cross build as the 64-bit one, with the i686 compilers.
set(VEXAL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
