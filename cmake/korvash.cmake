# korvash_library(<target> [DEPS <targets...>])
# A library made of every .cpp in the calling folder; its headers are included
# as "<folder>/<file>.h" relative to src/ (or "platform/<area>/<file>.h").
function(korvash_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY KORVASH_LIBRARIES ${target})
endfunction()

# korvash_test(<target> [DEPS <targets...>])
# One test program of every .cpp in the calling folder; each GoogleTest case
# becomes its own ctest entry so ctest -j spreads them over the cores.
function(korvash_test target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  # Each variable is its own list element: a ';' inside one string would split the property.
  set(test_environment QT_QPA_PLATFORM=offscreen KORVASH_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp
      LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${test_environment}")
endfunction()
