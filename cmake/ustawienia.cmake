# The language level, build type, warnings and libraries of the build.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()
add_compile_options(-Wall -Wextra)

find_package(PkgConfig REQUIRED)
if(WIN32)
  # Windows: the static libraries tools/windows.sh builds (cmake/mingw-w64.cmake points pkg-config
  # at them), with everything they link in; nothing but Windows' own DLLs is left to load.
  pkg_check_modules(ALLEGRO REQUIRED allegro-static-5 allegro_image-static-5 allegro_font-static-5
    allegro_ttf-static-5 allegro_audio-static-5 allegro_acodec-static-5)
  pkg_check_modules(VORBISFILE REQUIRED vorbisfile)
  foreach(biblioteka ALLEGRO VORBISFILE)
    add_library(PkgConfig::${biblioteka} INTERFACE IMPORTED)
    target_include_directories(PkgConfig::${biblioteka} INTERFACE ${${biblioteka}_STATIC_INCLUDE_DIRS})
    target_link_directories(PkgConfig::${biblioteka} INTERFACE ${${biblioteka}_STATIC_LIBRARY_DIRS})
    target_link_libraries(PkgConfig::${biblioteka} INTERFACE ${${biblioteka}_STATIC_LIBRARIES})
  endforeach()
  target_compile_definitions(PkgConfig::ALLEGRO INTERFACE ALLEGRO_STATICLINK)
  add_link_options(-static)
else()
  pkg_check_modules(ALLEGRO REQUIRED IMPORTED_TARGET
    allegro-5 allegro_image-5 allegro_font-5 allegro_ttf-5 allegro_audio-5 allegro_acodec-5)
  pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
endif()
