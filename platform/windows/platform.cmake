# 64-bit Windows, cross-compiled with MinGW-w64 (scripts/windows does everything). SDL2,
# SDL2_ttf, SDL2_mixer (with Timidity) and FreeType are static libraries built for Windows
# into VORLASK_WINDOWS_PREFIX. What comes out is one folder: the program, its data, the font,
# the music's instruments and the licences, as a zip and as an installer (packaging/windows).

set(VORLASK_WINDOWS_PREFIX "" CACHE PATH "Where the libraries built for Windows are installed")
set(VORLASK_FREEPATS_DIR "/usr/share/midi/freepats" CACHE PATH "Debian's freepats instruments")
set(VORLASK_PIANO "Tone_000/000_Acoustic_Grand_Piano.pat")
vorlask_require(scripts/windows "${VORLASK_WINDOWS_PREFIX}" "${VORLASK_FONT_FILE}"
                "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}")

# One program that needs nothing but Windows' own libraries, and the same bytes from the same
# sources wherever they are built: no build path in the objects, no time in the headers.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
# -O2 as the desktop's builds: -O3 makes no game faster here and compiles for longer.
string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
add_link_options(-static -Wl,--no-insert-timestamp $<$<CONFIG:Release,MinSizeRel>:-s>)

find_package(SDL2 REQUIRED CONFIG PATHS "${VORLASK_WINDOWS_PREFIX}/lib/cmake/SDL2"
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
add_library(vorlask_windows_sdl INTERFACE)
target_include_directories(vorlask_windows_sdl INTERFACE "${VORLASK_WINDOWS_PREFIX}/include/SDL2"
                                                         "${VORLASK_WINDOWS_PREFIX}/include")
target_link_libraries(vorlask_windows_sdl INTERFACE
  "${VORLASK_WINDOWS_PREFIX}/lib/libSDL2_mixer.a" "${VORLASK_WINDOWS_PREFIX}/lib/libSDL2_ttf.a"
  "${VORLASK_WINDOWS_PREFIX}/lib/libfreetype.a" SDL2::SDL2-static)
set(VORLASK_SDL_LIBRARIES vorlask_windows_sdl)
set(VORLASK_PLATFORM_LIBRARIES vorlask_windows vorlask_desktop)

# Timidity's configuration names the one instrument the tunes use, found beside it.
set(VORLASK_TIMIDITY_CFG "${CMAKE_BINARY_DIR}/timidity.cfg")
file(WRITE "${VORLASK_TIMIDITY_CFG}"
     "# The one instrument the tunes use, found beside this file.\r\nbank 0\r\n"
     " 0 freepats/${VORLASK_PIANO} amp=120 pan=center\r\n")

function(vorlask_platform_program)
  add_library(vorlask_windows OBJECT platform/windows/data_file.cpp platform/windows/hooks.cpp
    platform/windows/mixer.cpp)
  target_link_libraries(vorlask_windows PUBLIC vorlask_sdl)
  # The font lies beside the program under its own name.
  get_filename_component(font_name "${VORLASK_FONT_FILE}" NAME)
  target_compile_definitions(vorlask_windows PRIVATE VORLASK_FONT_NAME="${font_name}")

  # The program's resources: its icon, its version and its manifest.
  set(VORLASK_PUBLISHER "The Vorlask developers")
  configure_file(packaging/windows/vorlask.rc.in vorlask.rc @ONLY)
  add_executable(vorlask WIN32 platform/windows/main.cpp "${CMAKE_BINARY_DIR}/vorlask.rc")
  set_property(SOURCE "${CMAKE_BINARY_DIR}/vorlask.rc" APPEND PROPERTY OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/data/icons/vorlask.ico"
    "${CMAKE_SOURCE_DIR}/packaging/windows/vorlask.exe.manifest")
  target_link_libraries(vorlask PRIVATE SDL2::SDL2main ${VORLASK_PLATFORM_LIBRARIES})

  # The folder the person gets: the program and everything it reads, side by side, a short
  # read-me and the licence of everything in it, every text with Windows' line ends.
  set(folder "${CMAKE_BINARY_DIR}/Vorlask")
  set(licences "${VORLASK_WINDOWS_PREFIX}/licences")
  add_custom_target(vorlask_folder ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${folder}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}/freepats/Tone_000" "${folder}/licences"
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:vorlask>" ${VORLASK_DATA_FILES}
            "${VORLASK_FONT_FILE}" "${VORLASK_TIMIDITY_CFG}" "${folder}"
    COMMAND ${CMAKE_COMMAND} -E copy "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}"
            "${folder}/freepats/Tone_000"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/packaging/windows/LICENCES.txt"
            "${CMAKE_SOURCE_DIR}/packaging/windows/README.txt" "${folder}"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/LICENSE" "${folder}/licences/Vorlask.txt"
    COMMAND ${CMAKE_COMMAND} -E copy "${licences}/SDL2.txt" "${licences}/SDL2_ttf.txt"
            "${licences}/SDL2_mixer.txt" "${licences}/SDL2_mixer-Timidity.txt"
            "${licences}/FreeType.txt" "${folder}/licences"
    COMMAND ${CMAKE_COMMAND} -E copy
            /usr/share/doc/fonts-liberation2/copyright "${folder}/licences/LiberationSans.txt"
    COMMAND ${CMAKE_COMMAND} -E copy
            /usr/share/doc/freepats/copyright "${folder}/licences/freepats.txt"
    COMMAND ${CMAKE_COMMAND} -E copy
            /usr/share/common-licenses/GPL-2 "${folder}/licences/GPL-2.txt"
    COMMAND ${CMAKE_COMMAND} -E copy
            /usr/share/doc/mingw-w64-x86-64-dev/copyright "${folder}/licences/MinGW-w64.txt"
    COMMAND ${CMAKE_COMMAND} "-DFOLDER=${folder}" -P
            "${CMAKE_SOURCE_DIR}/packaging/windows/crlf.cmake"
    DEPENDS vorlask "${CMAKE_SOURCE_DIR}/packaging/windows/LICENCES.txt"
            "${CMAKE_SOURCE_DIR}/packaging/windows/README.txt"
    VERBATIM)

  # The zip and the installer, dated by SOURCE_DATE_EPOCH (scripts/windows sets it).
  add_custom_target(vorlask_dist
    COMMAND bash "${CMAKE_SOURCE_DIR}/packaging/windows/make_dist.sh" "${folder}"
            "${CMAKE_BINARY_DIR}/dist" "${PROJECT_VERSION}" "${VORLASK_PUBLISHER}"
            "${CMAKE_SOURCE_DIR}/packaging/windows/installer.nsi"
            "${CMAKE_SOURCE_DIR}/data/icons/vorlask.ico"
            "${CMAKE_SOURCE_DIR}/data/icons/vorlask-installer-welcome.bmp"
            "${CMAKE_SOURCE_DIR}/data/icons/vorlask-installer-header.bmp"
    DEPENDS vorlask_folder
    VERBATIM)
endfunction()

# The tests run under Wine (tests/windows/run.sh), each in a process of its own so that none
# leaves settings behind for the next. They find the font and the music's instruments where
# the game does: beside the program.
function(vorlask_platform_tests target)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "$<TARGET_FILE_DIR:${target}>/freepats/Tone_000"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${VORLASK_FONT_FILE}" "${VORLASK_TIMIDITY_CFG}"
            "$<TARGET_FILE_DIR:${target}>"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}"
            "$<TARGET_FILE_DIR:${target}>/freepats/Tone_000"
    VERBATIM)
  set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR wine)

  # The program under Wine on Xvfb, read with the desktop tests' board reader, and the installer.
  add_test(NAME windows_e2e
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/windows/windows_e2e.sh"
            "${CMAKE_BINARY_DIR}/Vorlask/vorlask.exe" "$<TARGET_FILE:e2e_error_box_picture>")
  add_test(NAME windows_installer
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/windows/installer_test.sh"
            "${CMAKE_BINARY_DIR}/dist/vorlask-${PROJECT_VERSION}-windows-x64-setup.exe")
  set_tests_properties(windows_e2e windows_installer PROPERTIES LABELS e2e TIMEOUT 300)
endfunction()
