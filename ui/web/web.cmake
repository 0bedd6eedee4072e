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

# The page's file system: the data files in their folder, the font where the desktop has it,
# and the one instrument the tunes use.
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

file(GLOB VORLASK_DATA_FILES CONFIGURE_DEPENDS data/*.bmp data/*.mid)
set(VORLASK_WEB_FILES "")
foreach(file ${VORLASK_DATA_FILES})
  get_filename_component(name "${file}" NAME)
  list(APPEND VORLASK_WEB_FILES "SHELL:--preload-file ${file}@/vorlask/${name}")
endforeach()
# (Each option in one piece: CMake would merge repeated words of separate ones.)
list(APPEND VORLASK_WEB_FILES
  "SHELL:--preload-file ${VORLASK_WEB_FONT}@${VORLASK_WEB_FONT}"
  "SHELL:--preload-file ${VORLASK_WEB_TIMIDITY_CFG}@/etc/timidity.cfg"
  "SHELL:--preload-file ${VORLASK_FREEPATS_DIR}/Tone_000/000_Acoustic_Grand_Piano.pat@/freepats/Tone_000/000_Acoustic_Grand_Piano.pat")

# SDL's audio resumes the page's sound on the player's first key or click with these; they are
# named in a file because the build tools would mangle their dollar signs on the command line.
set(VORLASK_WEB_JS_FUNCS "${CMAKE_CURRENT_BINARY_DIR}/library_funcs.json")
file(WRITE "${VORLASK_WEB_JS_FUNCS}" "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")

set(VORLASK_SHELL "${CMAKE_CURRENT_SOURCE_DIR}/ui/web/shell.html")
target_link_options(vorlask PRIVATE
  ${VORLASK_WEB_FILES}
  "--shell-file=${VORLASK_SHELL}"
  # The animation and the speed measurement draw frame after frame inside one handler; the
  # program gives the browser a turn after each frame and carries on where it was.
  "-sASYNCIFY=1" "-sASYNCIFY_STACK_SIZE=65536"
  "-sALLOW_MEMORY_GROWTH=1" "-sENVIRONMENT=web"
  "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${VORLASK_WEB_JS_FUNCS}"
  # Emscripten 3.1.6's HTML minifier fails on every page; the page is small anyway.
  "-sMINIFY_HTML=0")
set_property(TARGET vorlask APPEND PROPERTY LINK_DEPENDS "${VORLASK_SHELL}")
# Debian's emscripten finds its JavaScript helpers (acorn) only through NODE_PATH when the node
# on the PATH is not Debian's own; the link is told where they are, whoever starts the build.
set(VORLASK_NODE_PATH "/usr/share/nodejs")
if(DEFINED ENV{NODE_PATH} AND NOT "$ENV{NODE_PATH}" STREQUAL "")
  set(VORLASK_NODE_PATH "$ENV{NODE_PATH}:${VORLASK_NODE_PATH}")
endif()
set_property(TARGET vorlask PROPERTY CXX_LINKER_LAUNCHER
             ${CMAKE_COMMAND} -E env "NODE_PATH=${VORLASK_NODE_PATH}")

# The folder of static files: the page, its program, its data and its icon.
set(VORLASK_SITE "${CMAKE_CURRENT_BINARY_DIR}/site")
add_custom_target(vorlask_site ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory "${VORLASK_SITE}"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:vorlask>" "${VORLASK_SITE}/index.html"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE_DIR:vorlask>/vorlask.js"
          "$<TARGET_FILE_DIR:vorlask>/vorlask.wasm" "$<TARGET_FILE_DIR:vorlask>/vorlask.data"
          "${VORLASK_SITE}"
  COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_CURRENT_SOURCE_DIR}/data/icons/vorlask-64.png"
          "${VORLASK_SITE}/favicon.png"
  DEPENDS vorlask
  VERBATIM)
