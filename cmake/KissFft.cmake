# KISS FFT (BSD-3-Clause), the spectrum's FFT: only its header-only C++ template
# kissfft/kissfft.hh is used, from Debian's libkissfft-dev (or a Windows package
# manager's kissfft, through KISSFFT_INCLUDE_DIR).
#
# The MinGW toolchains search headers only below their own root, so the header is
# looked for outside it. Its folder is never put on the include path itself: for
# Debian's package that is /usr/include, whose C library headers would then stand
# before MinGW's. The header alone is copied into the build tree, and the target
# vexal_kissfft gives that copy's folder, so `#include <kissfft/kissfft.hh>` works
# and nothing else of the folder is seen.
find_path(KISSFFT_INCLUDE_DIR kissfft/kissfft.hh NO_CMAKE_FIND_ROOT_PATH
          DOC "Folder holding kissfft/kissfft.hh (KISS FFT's C++ header)")
if(NOT EXISTS "${KISSFFT_INCLUDE_DIR}/kissfft/kissfft.hh")
  message(FATAL_ERROR "KISS FFT's header kissfft/kissfft.hh was not found: install the Debian "
                      "package libkissfft-dev (scripts/setup-deps.sh does), or set "
                      "KISSFFT_INCLUDE_DIR to the folder that holds kissfft/kissfft.hh")
endif()
set(vexal_kissfft_dir ${PROJECT_BINARY_DIR}/kissfft-include)
configure_file(${KISSFFT_INCLUDE_DIR}/kissfft/kissfft.hh ${vexal_kissfft_dir}/kissfft/kissfft.hh
               COPYONLY)
add_library(vexal_kissfft INTERFACE)
# A system folder: the library's own code is not held to this project's warnings.
target_include_directories(vexal_kissfft SYSTEM INTERFACE ${vexal_kissfft_dir})
