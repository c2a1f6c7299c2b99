# Native build: the portable core, its unit tests and the benchmarks.
# -DVELUMBRINO_FUZZ=ON (with clang) builds only the libFuzzer targets: scripts/fuzz.sh.
option(VELUMBRINO_FUZZ "Build the libFuzzer targets instead of the tests" OFF)
if(VELUMBRINO_FUZZ)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/fuzz ${CMAKE_BINARY_DIR}/fuzz_targets)
  return()
endif()

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE velumbrino_core GTest::gmock GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${WARNINGS})
add_test(NAME unit_tests COMMAND unit_tests)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
