# korvash_library(<target> [DEPS <targets...>])
# A library made of every .cpp in the calling folder; its headers are included
# as "<folder>/<file>.h" relative to src/ (or "platform/<area>/<file>.h").
function(korvash_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  # The subsystems call each other through the client hub, so their libraries form one cycle;
  # the linker must walk it often enough to resolve a call from the last one back to the first.
  set_property(TARGET ${target} PROPERTY LINK_INTERFACE_MULTIPLICITY 4)
  set_property(GLOBAL APPEND PROPERTY KORVASH_LIBRARIES ${target})
endfunction()

# korvash_test(<target> [SERIAL] [DEPS <targets...>])
# One test program of every .cpp in the calling folder; each GoogleTest case
# becomes its own ctest entry so ctest -j spreads them over the cores; SERIAL runs
# them alone.
function(korvash_test target)
  cmake_parse_arguments(ARG "SERIAL" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  # The environment the tests need is set inside every test program (tests/test_environment.cpp),
  # so a test behaves the same under ctest and when run by hand.
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/test_environment.cpp)
  target_compile_definitions(${target} PRIVATE KORVASH_BUILD_DIR="${CMAKE_BINARY_DIR}")
  if(ARG_SERIAL)
    # Tests of real programs on a private X server: timing-sensitive under a loaded machine, and
    # whole hands played by clicks take minutes, more than the run's default limit.
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES RUN_SERIAL TRUE TIMEOUT 1500)
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()

# korvash_module(<module> <source> LIBRARY <library> DEFINE <macro> DEPS <targets...>)
# A shared module the program loads itself at first use (dlopen), so that the libraries it
# stands on are mapped only then. It is built beside the program, where the loader looks
# first; <library> gets <macro> defined to the module's path in the build as a second place.
function(korvash_module module source)
  cmake_parse_arguments(ARG "" "LIBRARY;DEFINE" "DEPS" ${ARGN})
  add_library(${module} MODULE ${source})
  target_include_directories(${module} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${module} PRIVATE ${ARG_DEPS})
  set_target_properties(${module} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
                                             CXX_VISIBILITY_PRESET hidden)
  target_compile_definitions(${ARG_LIBRARY} PRIVATE ${ARG_DEFINE}="$<TARGET_FILE:${module}>")
  add_dependencies(${ARG_LIBRARY} ${module})
endfunction()
