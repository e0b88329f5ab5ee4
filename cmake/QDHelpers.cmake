# qd_library(NAME SOURCES ... [LINKS ...] [PUBLIC_LINKS ...])
# A shared library of the system: public headers in include/, the rest hidden.
# Fuzz builds link them statically: the sanitizer runtime of clang lives in
# the executable only.
function(qd_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS;PUBLIC_LINKS" ${ARGN})
  if(QD_FUZZ)
    add_library(${name} STATIC ${ARG_SOURCES})
  else()
    add_library(${name} SHARED ${ARG_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
                                     PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_compile_definitions(${name} PRIVATE QD_BUILDING_LIBRARY)
  if(ARG_LINKS)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  endif()
  if(ARG_PUBLIC_LINKS)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LINKS})
  endif()
  if(NOT QD_FUZZ)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# qd_test(NAME SOURCES ... LINKS ...)
# One GoogleTest executable per library, registered with ctest.
function(qd_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  if(NOT QD_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    QD_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/testdata")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1")
endfunction()

# qd_add_plugin(NAME SOURCES ... [LINKS ...])
# A plug-in: a module the program loads by path, linked against QDPlugIn.
# The file is NAME.so without the "lib" prefix, since nothing links it by
# name, and lands in plugins/ of the build tree. Only PlugInMain, PlugInName
# and PlugInMenuUpdate (when defined) are exported.
function(qd_add_plugin name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE QDPlugIn ${ARG_LINKS})
  set(map ${CMAKE_SOURCE_DIR}/plugin/plugin_module.map)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins
    LINK_DEPENDS ${map})
  target_link_options(${name} PRIVATE -Wl,--no-undefined -Wl,--version-script=${map})
endfunction()
