# The Windows program: a GUI program (no console window) with the game's icon, version and manifest in its resources.
set_target_properties(brolik PROPERTIES WIN32_EXECUTABLE ON)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB ikony CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/media/ikona_*.png)
set(BROLIK_ICO ${CMAKE_BINARY_DIR}/brolik.ico)
add_custom_command(OUTPUT ${BROLIK_ICO}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/dist/windows/ikona.py ${BROLIK_ICO} ${ikony}
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/windows/ikona.py ${ikony}
  COMMENT "Packing media/ikona_*.png into brolik.ico")

enable_language(RC)
set(BROLIK_MANIFEST ${CMAKE_SOURCE_DIR}/dist/windows/brolik.manifest)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/brolik.rc.in ${CMAKE_BINARY_DIR}/brolik.rc @ONLY)
target_sources(brolik PRIVATE ${CMAKE_BINARY_DIR}/brolik.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/brolik.rc PROPERTIES OBJECT_DEPENDS "${BROLIK_ICO};${BROLIK_MANIFEST}")

# The unit and scenario test programs, built on demand (tools/windows.sh --tests) and run under Wine.
if(EXISTS /usr/src/googletest/googletest/CMakeLists.txt)
  add_subdirectory(tests/wine)
endif()
