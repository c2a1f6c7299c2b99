# Windows build: the program, its Win32 integration tests and the end-to-end tests.
set(WIN_DEFINITIONS UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# Only libraries Windows always takes from the system folder are imported; winmm and winspool
# are loaded from there on first use (platform/system_library_win.h). check_imports.sh holds
# the program to that.
set(WIN_SYSTEM_LIBS user32 gdi32 comctl32 comdlg32 shell32 shlwapi ole32 advapi32 uuid)
set(DIST_DIR ${CMAKE_BINARY_DIR}/dist)

target_compile_definitions(velumbrino_core PUBLIC ${WIN_DEFINITIONS})
target_link_options(velumbrino_core PUBLIC -static)

add_library(velumbrino_win STATIC ${WIN_SOURCES})
target_link_libraries(velumbrino_win PUBLIC velumbrino_core ${WIN_SYSTEM_LIBS})
target_compile_options(velumbrino_win PRIVATE ${WARNINGS})

find_program(PYTHON3 python3 REQUIRED)
# Pictures are drawn by the project's own tools at build time.
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${GENERATED_DIR})
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${GENERATED_DIR}/version.h @ONLY)
target_include_directories(velumbrino_win PUBLIC ${GENERATED_DIR})
add_custom_command(OUTPUT ${GENERATED_DIR}/velumbrino.ico
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tools/make_icon.py ${GENERATED_DIR}/velumbrino.ico
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icon.py)
file(GLOB RESOURCE_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc
     ${CMAKE_SOURCE_DIR}/resources/*.h)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/velumbrino.rc PROPERTIES
  OBJECT_DEPENDS "${GENERATED_DIR}/velumbrino.ico;${CMAKE_SOURCE_DIR}/resources/velumbrino.manifest;${RESOURCE_PARTS}")

add_executable(Velumbrino WIN32 ${CMAKE_SOURCE_DIR}/src/shell/main_win.cpp
                                ${CMAKE_SOURCE_DIR}/resources/velumbrino.rc)
target_link_libraries(Velumbrino PRIVATE velumbrino_win)
target_link_options(Velumbrino PRIVATE -municode)
target_include_directories(Velumbrino PRIVATE ${CMAKE_SOURCE_DIR}/resources ${GENERATED_DIR})
set_target_properties(Velumbrino PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
# With the program's resources: the dialogs are templates of its resource script.
add_executable(win32_tests ${WIN32_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/resources/velumbrino.rc)
target_include_directories(win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources ${GENERATED_DIR})
target_link_libraries(win32_tests PRIVATE velumbrino_win GTest::gtest_main oleacc oleaut32
                      winspool)
# The tests and GoogleTest itself need no optimising (the program they test keeps its
# Release build); <windows.h> and GoogleTest's header are parsed once.
target_compile_options(win32_tests PRIVATE ${WARNINGS} -O0)
target_compile_options(gtest PRIVATE -O0)
target_compile_options(gtest_main PRIVATE -O0)
target_precompile_headers(win32_tests PRIVATE <windows.h> <gtest/gtest.h> <string> <vector>)
# One ctest test per Wine process: each Wine start costs seconds.
add_test(NAME win32_tests COMMAND win32_tests)

# A test tool of the end-to-end tests: the Windows side of the desktop.
add_executable(window_tool ${CMAKE_SOURCE_DIR}/tests/e2e/window_tool.cpp)
target_compile_definitions(window_tool PRIVATE ${WIN_DEFINITIONS})
target_link_options(window_tool PRIVATE -static -municode)

# Beside the program in the fault tests: holds a file locked, or saves notes until killed.
add_executable(fault_helper ${CMAKE_SOURCE_DIR}/tests/e2e/fault_helper_win.cpp)
target_link_libraries(fault_helper PRIVATE velumbrino_win)
target_link_options(fault_helper PRIVATE -municode)
target_compile_options(fault_helper PRIVATE ${WARNINGS})

# Planted beside a copy of the program under system libraries' names: leaves a mark if loaded.
add_library(planted_library SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/planted_library_win.cpp)
target_compile_definitions(planted_library PRIVATE ${WIN_DEFINITIONS})
target_link_options(planted_library PRIVATE -static)

file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(test_file ${E2E_TESTS})
  get_filename_component(test_name ${test_file} NAME_WE)
  add_test(NAME e2e_${test_name} COMMAND ${PYTHON3} ${test_file})
  set_tests_properties(e2e_${test_name} PROPERTIES
    ENVIRONMENT "VELUMBRINO_DIST=${DIST_DIR};VELUMBRINO_WINE_RUN=${CMAKE_SOURCE_DIR}/scripts/wine-run.sh;VELUMBRINO_TOOLS=${CMAKE_BINARY_DIR};VELUMBRINO_FAULT_HELPER=$<TARGET_FILE:fault_helper>;VELUMBRINO_PLANTED_LIBRARY=$<TARGET_FILE:planted_library>"
    RUN_SERIAL TRUE TIMEOUT 600)
endforeach()

# The sounds shipped beside the program, made by the project's own generator.
set(SOUND_FILES ${DIST_DIR}/novo.wav ${DIST_DIR}/excluir.wav ${DIST_DIR}/Alarme/Alarm08.wav)
add_custom_command(OUTPUT ${SOUND_FILES}
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tools/make_sounds.py ${DIST_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_sounds.py
  COMMENT "Making the sounds")
add_custom_target(sounds ALL DEPENDS ${SOUND_FILES})

# The help file: the HTML pages compiled by chmcmd in a staging folder (it writes into its
# working folder), then copied into dist.
find_program(CHMCMD chmcmd REQUIRED)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(HELP_STAGING ${CMAKE_BINARY_DIR}/help)
file(MAKE_DIRECTORY ${HELP_STAGING})
add_custom_command(OUTPUT ${DIST_DIR}/Ajuda.chm
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${HELP_STAGING}
  COMMAND ${CHMCMD} --verbosity 0 Ajuda.hhp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_STAGING}/Ajuda.chm ${DIST_DIR}/Ajuda.chm
  WORKING_DIRECTORY ${HELP_STAGING}
  DEPENDS ${HELP_SOURCES}
  COMMENT "Compiling the help file Ajuda.chm")
add_custom_target(help_file ALL DEPENDS ${DIST_DIR}/Ajuda.chm)

# The benchmark exe (scripts/bench.sh builds and runs it under Wine); never a test, so not
# part of the default build.
add_executable(bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bench_win.cpp)
target_link_libraries(bench PRIVATE velumbrino_win)
target_link_options(bench PRIVATE -municode)
# The floor of restore: bare note-shaped windows, nothing of the program but its geometry.
add_executable(floor EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/floor_win.cpp)
target_link_libraries(floor PRIVATE velumbrino_core user32 gdi32)
target_link_options(floor PRIVATE -municode)
# The soak's rounds, driving the running program from outside (bench/soak.py). It carries the
# program's resources: its floor opens the same dialog templates under the same manifest.
add_executable(soak ${CMAKE_SOURCE_DIR}/bench/soak_win.cpp ${CMAKE_SOURCE_DIR}/resources/velumbrino.rc)
target_include_directories(soak PRIVATE ${CMAKE_SOURCE_DIR}/resources ${GENERATED_DIR})
target_link_libraries(soak PRIVATE user32 comctl32 comdlg32)
target_link_options(soak PRIVATE -static -municode)

# The installer, built with the program: build/windows/dist/Velumbrino-Setup-<version>.exe.
find_program(MAKENSIS makensis REQUIRED)
set(INSTALLER ${DIST_DIR}/Velumbrino-Setup-${PROJECT_VERSION}.exe)
add_custom_command(OUTPUT ${INSTALLER}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DDIST=${DIST_DIR}
          -DICON=${GENERATED_DIR}/velumbrino.ico -DOUTFILE=${INSTALLER}
          ${CMAKE_SOURCE_DIR}/installer/velumbrino.nsi
  DEPENDS ${CMAKE_SOURCE_DIR}/installer/velumbrino.nsi Velumbrino sounds help_file
          ${GENERATED_DIR}/velumbrino.ico
  COMMENT "Making the installer")
add_custom_target(installer ALL DEPENDS ${INSTALLER})
