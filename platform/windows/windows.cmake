# The build for 64-bit Windows, cross-compiled with MinGW-w64 (scripts/windows does everything).
# The game's own sources are the desktop's; ui/windows answers for Windows where the systems
# differ, and packaging/windows holds the program's resources and the installer. SDL2,
# SDL2_ttf, SDL2_mixer (with Timidity) and FreeType are static libraries built for Windows into
# VORLASK_WINDOWS_PREFIX. What comes out is one folder: the program, its data, the font, the
# music's instruments and the licences, as a zip and as an installer.

set(VORLASK_WINDOWS_PREFIX "" CACHE PATH "Where the libraries built for Windows are installed")
set(VORLASK_FREEPATS_DIR "/usr/share/midi/freepats" CACHE PATH "Debian's freepats instruments")
set(VORLASK_WINDOWS_FONT "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf" CACHE
    FILEPATH "The font of the panel's text")
set(VORLASK_PIANO "Tone_000/000_Acoustic_Grand_Piano.pat")
if(NOT EXISTS "${VORLASK_WINDOWS_PREFIX}/lib/libSDL2.a")
  message(FATAL_ERROR "The libraries built for Windows are not in \"${VORLASK_WINDOWS_PREFIX}\"; "
                      "scripts/windows builds them.")
endif()
foreach(needed "${VORLASK_WINDOWS_FONT}" "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}")
  if(NOT EXISTS "${needed}")
    message(FATAL_ERROR "${needed} is missing; scripts/windows installs the packages that hold it.")
  endif()
endforeach()

# One program that needs nothing but Windows' own libraries, and the same bytes from the same
# sources wherever they are built: no build path in the objects, no time in the headers.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
# -O2 as the desktop's builds: -O3 makes no game faster here and compiles for longer.
string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
add_link_options(-static -Wl,--no-insert-timestamp $<$<CONFIG:Release,MinSizeRel>:-s>)

find_package(SDL2 REQUIRED CONFIG PATHS "${VORLASK_WINDOWS_PREFIX}/lib/cmake/SDL2"
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

file(GLOB VORLASK_CORE_SOURCES CONFIGURE_DEPENDS gfx/*.cpp game/*.cpp ai/*.cpp ui/*.cpp)
add_library(vorlask_core STATIC ${VORLASK_CORE_SOURCES})
target_include_directories(vorlask_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

# The SDL front end. Each file named here has a Windows counterpart in ui/windows.
set(VORLASK_POSIX_ONLY_SOURCES ui/sdl/main.cpp ui/sdl/system_posix.cpp ui/sdl/data_file.cpp)
file(GLOB VORLASK_SDL_SOURCES CONFIGURE_DEPENDS ui/sdl/*.cpp ui/windows/*.cpp)
foreach(src ${VORLASK_POSIX_ONLY_SOURCES})
  list(REMOVE_ITEM VORLASK_SDL_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${src})
endforeach()
add_library(vorlask_sdl STATIC ${VORLASK_SDL_SOURCES})
target_include_directories(vorlask_sdl PUBLIC "${VORLASK_WINDOWS_PREFIX}/include/SDL2"
                                              "${VORLASK_WINDOWS_PREFIX}/include")
target_link_libraries(vorlask_sdl PUBLIC vorlask_core
  "${VORLASK_WINDOWS_PREFIX}/lib/libSDL2_mixer.a" "${VORLASK_WINDOWS_PREFIX}/lib/libSDL2_ttf.a"
  "${VORLASK_WINDOWS_PREFIX}/lib/libfreetype.a" SDL2::SDL2-static)
# SDL_mixer is asked for by name, as on Linux, and answered by ui/windows/linked_mixer.cpp.
target_link_options(vorlask_sdl PUBLIC
  -Wl,--wrap=SDL_LoadObject,--wrap=SDL_LoadFunction,--wrap=SDL_UnloadObject)

# The program's resources: its icon, its version and its manifest.
set(VORLASK_PUBLISHER "The Vorlask developers")
configure_file(packaging/windows/vorlask.rc.in vorlask.rc @ONLY)
add_executable(vorlask WIN32 ui/sdl/main.cpp "${CMAKE_CURRENT_BINARY_DIR}/vorlask.rc")
set_property(SOURCE "${CMAKE_CURRENT_BINARY_DIR}/vorlask.rc" APPEND PROPERTY OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask.ico"
  "${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/vorlask.exe.manifest")
target_link_libraries(vorlask PRIVATE SDL2::SDL2main vorlask_sdl)

# The folder the person gets: the program and everything it reads, side by side, and the
# licence of everything in it.
file(GLOB VORLASK_DATA_FILES CONFIGURE_DEPENDS data/*.bmp data/*.mid)
set(VORLASK_TIMIDITY_CFG "${CMAKE_CURRENT_BINARY_DIR}/timidity.cfg")
file(WRITE "${VORLASK_TIMIDITY_CFG}"
     "# The one instrument the tunes use, found beside this file.\r\nbank 0\r\n"
     " 0 freepats/${VORLASK_PIANO} amp=120 pan=center\r\n")
set(VORLASK_FOLDER "${CMAKE_CURRENT_BINARY_DIR}/Vorlask")
set(VORLASK_LICENCES "${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows")
add_custom_target(vorlask_folder ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${VORLASK_FOLDER}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${VORLASK_FOLDER}/freepats/Tone_000"
          "${VORLASK_FOLDER}/licences"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:vorlask>" ${VORLASK_DATA_FILES}
          "${VORLASK_WINDOWS_FONT}" "${VORLASK_TIMIDITY_CFG}" "${VORLASK_FOLDER}"
  COMMAND ${CMAKE_COMMAND} -E copy "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}"
          "${VORLASK_FOLDER}/freepats/Tone_000"
  COMMAND ${CMAKE_COMMAND} -E copy "${VORLASK_LICENCES}/LICENCES.txt" "${VORLASK_FOLDER}"
  COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_CURRENT_SOURCE_DIR}/LICENSE"
          "${VORLASK_FOLDER}/licences/Vorlask.txt"
  COMMAND ${CMAKE_COMMAND} -E copy "${VORLASK_WINDOWS_PREFIX}/licences/SDL2.txt"
          "${VORLASK_WINDOWS_PREFIX}/licences/SDL2_ttf.txt"
          "${VORLASK_WINDOWS_PREFIX}/licences/SDL2_mixer.txt"
          "${VORLASK_WINDOWS_PREFIX}/licences/SDL2_mixer-Timidity.txt"
          "${VORLASK_WINDOWS_PREFIX}/licences/FreeType.txt" "${VORLASK_FOLDER}/licences"
  COMMAND ${CMAKE_COMMAND} -E copy
          /usr/share/doc/fonts-liberation2/copyright "${VORLASK_FOLDER}/licences/LiberationSans.txt"
  COMMAND ${CMAKE_COMMAND} -E copy
          /usr/share/doc/freepats/copyright "${VORLASK_FOLDER}/licences/freepats.txt"
  COMMAND ${CMAKE_COMMAND} -E copy
          /usr/share/common-licenses/GPL-2 "${VORLASK_FOLDER}/licences/GPL-2.txt"
  COMMAND ${CMAKE_COMMAND} -E copy
          /usr/share/doc/mingw-w64-x86-64-dev/copyright "${VORLASK_FOLDER}/licences/MinGW-w64.txt"
  DEPENDS vorlask "${VORLASK_LICENCES}/LICENCES.txt"
  VERBATIM)

# The zip and the installer, dated by SOURCE_DATE_EPOCH (scripts/windows sets it).
set(VORLASK_DIST "${CMAKE_CURRENT_BINARY_DIR}/dist")
add_custom_target(vorlask_dist
  COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/make_dist.sh" "${VORLASK_FOLDER}"
          "${VORLASK_DIST}" "${PROJECT_VERSION}" "${VORLASK_PUBLISHER}"
          "${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/installer.nsi"
          "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask.ico"
  DEPENDS vorlask_folder
  VERBATIM)

if(VORLASK_TESTS)
  include(tests/windows/tests.cmake)
endif()
