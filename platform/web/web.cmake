# The build for web browsers, made with emscripten's CMake wrapper (emcmake; scripts/web does
# everything). The game's own sources are the desktop's; ui/web adds the page, its platform and
# its start. SDL2, SDL2_ttf, SDL2_mixer and FreeType are static libraries built for the browser
# into VORLASK_WEB_PREFIX.

set(VORLASK_WEB_PREFIX "" CACHE PATH "Where the libraries built for the browser are installed")
set(VORLASK_FREEPATS_DIR "/usr/share/midi/freepats" CACHE PATH "Debian's freepats instruments")
set(VORLASK_WEB_FONT "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf" CACHE FILEPATH
    "The font of the panel's text")
if(NOT EXISTS "${VORLASK_WEB_PREFIX}/lib/libSDL2.a")
  message(FATAL_ERROR "The libraries built for the browser are not in \"${VORLASK_WEB_PREFIX}\"; "
                      "scripts/web builds them.")
endif()
foreach(needed "${VORLASK_WEB_FONT}" "${VORLASK_FREEPATS_DIR}/Tone_000/000_Acoustic_Grand_Piano.pat")
  if(NOT EXISTS "${needed}")
    message(FATAL_ERROR "${needed} is missing; scripts/web installs the packages that hold it.")
  endif()
endforeach()

file(GLOB VORLASK_CORE_SOURCES CONFIGURE_DEPENDS gfx/*.cpp game/*.cpp ai/*.cpp ui/*.cpp)
add_library(vorlask_core STATIC ${VORLASK_CORE_SOURCES})
target_include_directories(vorlask_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

file(GLOB VORLASK_SDL_SOURCES CONFIGURE_DEPENDS ui/sdl/*.cpp ui/web/*.cpp)
list(REMOVE_ITEM VORLASK_SDL_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ui/sdl/main.cpp)
add_executable(vorlask ${VORLASK_SDL_SOURCES})
set_target_properties(vorlask PROPERTIES SUFFIX ".html")
target_include_directories(vorlask PRIVATE "${VORLASK_WEB_PREFIX}/include/SDL2"
                                           "${VORLASK_WEB_PREFIX}/include")

# The page's file system, in two parts. The first board needs only the bitmaps and the font:
# they come with the program (vorlask.data). The piano and the tunes, most of the bytes, are
# fetched when the music is first switched on (ui/web/loading.js); until then they are not
# downloaded at all.
set(VORLASK_WEB_TIMIDITY_CFG "${CMAKE_CURRENT_BINARY_DIR}/timidity.cfg")
file(WRITE "${VORLASK_WEB_TIMIDITY_CFG}"
     "dir /freepats\nbank 0\n 0 Tone_000/000_Acoustic_Grand_Piano.pat amp=120 pan=center\n")
target_compile_definitions(vorlask PRIVATE
  VORLASK_FONT_FILE="${VORLASK_WEB_FONT}"
  VORLASK_SOUNDFONT_FILE="/etc/timidity.cfg"
  VORLASK_DEFAULT_SOUNDFONT_FILE="/etc/timidity.cfg"
  VORLASK_INSTALLED_DATA_DIR="/vorlask"
  VORLASK_DATA_FROM_BIN=".")
target_link_libraries(vorlask PRIVATE vorlask_core
  "${VORLASK_WEB_PREFIX}/lib/libSDL2_mixer.a" "${VORLASK_WEB_PREFIX}/lib/libSDL2_ttf.a"
  "${VORLASK_WEB_PREFIX}/lib/libfreetype.a" "${VORLASK_WEB_PREFIX}/lib/libSDL2.a")

# The font keeps only the Latin and Cyrillic letters, digits and punctuation: the game draws
# nothing else, and each kept glyph is drawn exactly as from the whole font (outline, hinting
# and kerning unchanged). A sixth of the bytes.
find_program(VORLASK_WEB_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
execute_process(COMMAND "${VORLASK_WEB_PYTHON}" -c "import fontTools.subset"
                RESULT_VARIABLE VORLASK_NO_FONTTOOLS OUTPUT_QUIET ERROR_QUIET)
if(VORLASK_NO_FONTTOOLS)
  message(FATAL_ERROR "Debian's python3-fonttools is missing; scripts/web installs it.")
endif()
set(VORLASK_WEB_FONT_SUBSET "${CMAKE_CURRENT_BINARY_DIR}/font/LiberationSans-Bold.ttf")
add_custom_command(OUTPUT "${VORLASK_WEB_FONT_SUBSET}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/font"
  COMMAND "${VORLASK_WEB_PYTHON}" -m fontTools.subset "${VORLASK_WEB_FONT}"
          "--unicodes=U+0020-007E,U+00A0-017F,U+0400-045F,U+0490-0491,U+2010-2027,U+2030-203A,U+20AC,U+2116,U+FFFD"
          --legacy-kern --notdef-outline --drop-tables+=FFTM
          "--output-file=${VORLASK_WEB_FONT_SUBSET}"
  DEPENDS "${VORLASK_WEB_FONT}"
  VERBATIM)
add_custom_target(vorlask_font DEPENDS "${VORLASK_WEB_FONT_SUBSET}")
add_dependencies(vorlask vorlask_font)

file(GLOB VORLASK_BITMAPS CONFIGURE_DEPENDS data/*.bmp)
set(VORLASK_WEB_FILES "")
foreach(file ${VORLASK_BITMAPS})
  get_filename_component(name "${file}" NAME)
  list(APPEND VORLASK_WEB_FILES "SHELL:--preload-file ${file}@/vorlask/${name}")
endforeach()
# (Each option in one piece: CMake would merge repeated words of separate ones.)
list(APPEND VORLASK_WEB_FILES "SHELL:--preload-file ${VORLASK_WEB_FONT_SUBSET}@${VORLASK_WEB_FONT}")
set_property(TARGET vorlask APPEND PROPERTY LINK_DEPENDS ${VORLASK_BITMAPS} "${VORLASK_WEB_FONT_SUBSET}")

# The music's files: where each comes from, its name in the site's music folder, and where the
# game finds it in the page's file system.
file(GLOB VORLASK_TUNES CONFIGURE_DEPENDS data/*.mid)
set(VORLASK_WEB_MUSIC
  "${VORLASK_WEB_TIMIDITY_CFG}|timidity.cfg|/etc/timidity.cfg"
  "${VORLASK_FREEPATS_DIR}/Tone_000/000_Acoustic_Grand_Piano.pat|piano.pat|/freepats/Tone_000/000_Acoustic_Grand_Piano.pat")
foreach(file ${VORLASK_TUNES})
  get_filename_component(name "${file}" NAME)
  list(APPEND VORLASK_WEB_MUSIC "${file}|${name}|/vorlask/${name}")
endforeach()

# SDL's audio resumes the page's sound on the player's first key or click with these; they are
# named in a file because the build tools would mangle their dollar signs on the command line.
set(VORLASK_WEB_JS_FUNCS "${CMAKE_CURRENT_BINARY_DIR}/library_funcs.json")
file(WRITE "${VORLASK_WEB_JS_FUNCS}" "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")

# The functions that may wait (see below), named in a file for the same reason.
set(VORLASK_WEB_ASYNC_FUNCS "${CMAKE_CURRENT_BINARY_DIR}/async_funcs.json")
file(WRITE "${VORLASK_WEB_ASYNC_FUNCS}" "[\"main\", \"vorlask::*\"]\n")

set(VORLASK_SHELL "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/shell.html")
set(VORLASK_LOADING_JS "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/loading.js")
target_link_options(vorlask PRIVATE
  ${VORLASK_WEB_FILES}
  "--shell-file=${VORLASK_SHELL}"
  "--pre-js=${VORLASK_LOADING_JS}"
  # The animation and the speed measurement draw frame after frame inside one handler, the
  # loop waits for the next event, and the music's first start waits for its files: the
  # program gives the browser its turn and carries on where it was. Only the game's own code
  # is prepared for that (Asyncify), besides whatever calls a waiting function directly: the
  # libraries never wait through a pointer to a function (SDL's own wait after each picture
  # is switched off, web_main.cpp), and preparing all of them would make the program half as
  # large again.
  "-sASYNCIFY=1" "-sASYNCIFY_STACK_SIZE=65536" "-sASYNCIFY_IGNORE_INDIRECT=1"
  "-sASYNCIFY_ADD=@${VORLASK_WEB_ASYNC_FUNCS}"
  "-sALLOW_MEMORY_GROWTH=1" "-sENVIRONMENT=web"
  "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${VORLASK_WEB_JS_FUNCS}"
  # Emscripten 3.1.6's HTML minifier fails on every page; the page is small anyway.
  "-sMINIFY_HTML=0")
set_property(TARGET vorlask APPEND PROPERTY LINK_DEPENDS "${VORLASK_SHELL}" "${VORLASK_LOADING_JS}")
# Debian's emscripten finds its JavaScript helpers (acorn) only through NODE_PATH when the node
# on the PATH is not Debian's own; the link is told where they are, whoever starts the build.
set(VORLASK_NODE_PATH "/usr/share/nodejs")
if(DEFINED ENV{NODE_PATH} AND NOT "$ENV{NODE_PATH}" STREQUAL "")
  set(VORLASK_NODE_PATH "$ENV{NODE_PATH}:${VORLASK_NODE_PATH}")
endif()
set_property(TARGET vorlask PROPERTY CXX_LINKER_LAUNCHER
             ${CMAKE_COMMAND} -E env "NODE_PATH=${VORLASK_NODE_PATH}")

# The folder of static files (ui/web/site.cmake): the page and its service worker, and beside
# them a folder named after the build that holds everything else, each text file also
# compressed with gzip and, where Debian's brotli is installed, brotli.
set(VORLASK_SITE "${CMAKE_CURRENT_BINARY_DIR}/site")
set(VORLASK_SITE_FILES
  "$<TARGET_FILE_DIR:vorlask>/vorlask.js|vorlask.js"
  "$<TARGET_FILE_DIR:vorlask>/vorlask.wasm|vorlask.wasm"
  "$<TARGET_FILE_DIR:vorlask>/vorlask.data|vorlask.data"
  "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/manifest.webmanifest|manifest.webmanifest"
  "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask-64.png|favicon.png"
  "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask-web-192.png|icon-192.png"
  "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask-web-512.png|icon-512.png"
  "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask-web-maskable.png|icon-maskable.png")
foreach(entry ${VORLASK_WEB_MUSIC})
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 from)
  list(GET parts 1 name)
  list(APPEND VORLASK_SITE_FILES "${from}|music/${name}")
endforeach()
string(REPLACE ";" "," VORLASK_MUSIC_ARG "${VORLASK_WEB_MUSIC}")
string(REPLACE ";" "," VORLASK_SITE_FILES_ARG "${VORLASK_SITE_FILES}")
set(VORLASK_SITE_SCRIPT "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/site.cmake")
set(VORLASK_WORKER "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/service_worker.js")
add_custom_target(vorlask_site ALL
  COMMAND ${CMAKE_COMMAND} "-DSITE=${VORLASK_SITE}" "-DPAGE=$<TARGET_FILE:vorlask>"
          "-DWORKER=${VORLASK_WORKER}" "-DFILES=${VORLASK_SITE_FILES_ARG}"
          "-DMUSIC=${VORLASK_MUSIC_ARG}" -P "${VORLASK_SITE_SCRIPT}"
  DEPENDS vorlask "${VORLASK_SITE_SCRIPT}" "${VORLASK_WORKER}"
          "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/manifest.webmanifest"
  VERBATIM)
