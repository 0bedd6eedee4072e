# The tests of the Windows build, run under Wine by tests/windows/run.sh: the unit and scenario
# tests, each in a process of its own so that none leaves settings behind for the next; the
# program itself on a virtual display; and the installer in a fresh Wine prefix.
enable_testing()
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB VORLASK_TEST_SOURCES CONFIGURE_DEPENDS tests/*_test.cpp)
add_executable(vorlask_tests ${VORLASK_TEST_SOURCES} tests/support/fake_platform.cpp)
target_include_directories(vorlask_tests PRIVATE tests)
target_link_libraries(vorlask_tests PRIVATE vorlask_sdl GTest::gtest GTest::gtest_main)
# Wine reads a path without a drive on the drive of the current folder, which for a test
# started from the build folder is the one that holds the whole Linux file system.
target_compile_definitions(vorlask_tests PRIVATE
  VORLASK_SOURCE_DATA_DIR="${CMAKE_SOURCE_DIR}/data"
  VORLASK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The tests find the font and the music's instruments where the game does: beside the program.
add_custom_command(TARGET vorlask_tests POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory "$<TARGET_FILE_DIR:vorlask_tests>/freepats/Tone_000"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different "${VORLASK_WINDOWS_FONT}" "${VORLASK_TIMIDITY_CFG}"
          "$<TARGET_FILE_DIR:vorlask_tests>"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}"
          "$<TARGET_FILE_DIR:vorlask_tests>/freepats/Tone_000"
  VERBATIM)
set_property(TARGET vorlask_tests PROPERTY CROSSCOMPILING_EMULATOR wine)
gtest_discover_tests(vorlask_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 300)

# The error window's expected picture, drawn by the Windows build's own font renderer.
add_executable(e2e_error_box_picture tests/e2e/error_box_picture.cpp)
target_link_libraries(e2e_error_box_picture PRIVATE vorlask_sdl)

# The program under Wine on Xvfb, read with the desktop tests' board reader, and the installer.
add_test(NAME windows_e2e
  COMMAND bash "${CMAKE_SOURCE_DIR}/tests/windows/windows_e2e.sh" "${VORLASK_FOLDER}/vorlask.exe"
          "$<TARGET_FILE:e2e_error_box_picture>")
add_test(NAME windows_installer
  COMMAND bash "${CMAKE_SOURCE_DIR}/tests/windows/installer_test.sh"
          "${VORLASK_DIST}/vorlask-${PROJECT_VERSION}-setup.exe")
set_tests_properties(windows_e2e windows_installer PROPERTIES LABELS e2e TIMEOUT 300)
