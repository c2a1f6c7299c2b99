# Native build: the portable core, its unit tests and the benchmarks.
# -DVELUMBRINO_FUZZ=ON (with clang) builds only the libFuzzer targets: scripts/fuzz.sh.
option(VELUMBRINO_FUZZ "Build the libFuzzer targets instead of the tests" OFF)
if(VELUMBRINO_FUZZ)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/fuzz ${CMAKE_BINARY_DIR}/fuzz_targets)
  return()
endif()

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE velumbrino_core GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${WARNINGS})
# GoogleTest's header is most of each test file's compile: parsed once.
target_precompile_headers(unit_tests PRIVATE <gtest/gtest.h> <string> <vector> <filesystem>)
add_test(NAME unit_tests COMMAND unit_tests)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# The simulation (tests/sim): random sequences with faults against a model. ctest gives it a
# short run; scripts/test.sh a longer one (SIM_SECONDS).
add_executable(simulation ${CMAKE_SOURCE_DIR}/tests/sim/simulation.cpp)
target_include_directories(simulation PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
target_link_libraries(simulation PRIVATE velumbrino_core)
target_compile_options(simulation PRIVATE ${WARNINGS})
target_compile_definitions(simulation PRIVATE
  SIM_REGRESSIONS="${CMAKE_SOURCE_DIR}/tests/sim/regressions.txt")
add_test(NAME simulation COMMAND simulation --seconds 5)
