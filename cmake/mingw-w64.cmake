# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the -posix compilers, which have std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_AR ${MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Headers and libraries come from the mingw sysroot and from the folders in CMAKE_PREFIX_PATH
# (the static libraries tools/windows.sh builds); programs still run from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
# BROLIK_ZALEZNOSCI: the prefix of those static libraries, searched like the sysroot (in checks too).
if(BROLIK_ZALEZNOSCI)
  list(APPEND CMAKE_FIND_ROOT_PATH ${BROLIK_ZALEZNOSCI})
  set(ENV{PKG_CONFIG_LIBDIR} ${BROLIK_ZALEZNOSCI}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BROLIK_ZALEZNOSCI)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests built for Windows run under Wine.
find_program(WINE_PROGRAM NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
