# The page, built with emscripten's CMake wrapper (emcmake; scripts/web does everything) into a
# folder of static files. SDL2, SDL2_ttf, SDL2_mixer (with Timidity) and FreeType are static
# libraries built for the browser into VORLASK_WEB_PREFIX.

set(VORLASK_WEB_PREFIX "" CACHE PATH "Where the libraries built for the browser are installed")
set(VORLASK_FREEPATS_DIR "/usr/share/midi/freepats" CACHE PATH "Debian's freepats instruments")
set(VORLASK_PIANO "Tone_000/000_Acoustic_Grand_Piano.pat")
vorlask_require(scripts/web "${VORLASK_WEB_PREFIX}" "${VORLASK_FONT_FILE}"
                "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}")

add_library(vorlask_web_sdl INTERFACE)
target_include_directories(vorlask_web_sdl INTERFACE "${VORLASK_WEB_PREFIX}/include/SDL2"
                                                     "${VORLASK_WEB_PREFIX}/include")
target_link_libraries(vorlask_web_sdl INTERFACE
  "${VORLASK_WEB_PREFIX}/lib/libSDL2_mixer.a" "${VORLASK_WEB_PREFIX}/lib/libSDL2_ttf.a"
  "${VORLASK_WEB_PREFIX}/lib/libfreetype.a" "${VORLASK_WEB_PREFIX}/lib/libSDL2.a")
set(VORLASK_SDL_LIBRARIES vorlask_web_sdl)
set(VORLASK_PLATFORM_LIBRARIES vorlask_web vorlask_posix)

function(vorlask_platform_program)
  set(web "${CMAKE_SOURCE_DIR}/platform/web")
  add_library(vorlask_web OBJECT platform/web/hooks.cpp platform/web/mixer.cpp
    platform/web/page.cpp platform/web/web_platform.cpp)
  target_link_libraries(vorlask_web PUBLIC vorlask_sdl)
  # Where the game finds its files in the page's own file system.
  target_compile_definitions(vorlask_web PRIVATE VORLASK_FONT_FILE="${VORLASK_FONT_FILE}"
    VORLASK_SOUNDFONT_FILE="/etc/timidity.cfg" VORLASK_INSTALLED_DATA_DIR="/vorlask")

  add_executable(vorlask platform/web/main.cpp)
  set_target_properties(vorlask PROPERTIES SUFFIX ".html")
  target_link_libraries(vorlask PRIVATE ${VORLASK_PLATFORM_LIBRARIES})

  # The page's file system, in two parts. The first board needs only the bitmaps and the font:
  # they come with the program (vorlask.data). The piano and the tunes, most of the bytes, are
  # fetched when the music is first switched on (loading.js); until then they are not
  # downloaded at all.
  set(timidity_cfg "${CMAKE_BINARY_DIR}/timidity.cfg")
  file(WRITE "${timidity_cfg}"
       "dir /freepats\nbank 0\n 0 ${VORLASK_PIANO} amp=120 pan=center\n")
  vorlask_web_font(font)
  set(preload "SHELL:--preload-file ${font}@${VORLASK_FONT_FILE}")
  set(music "${timidity_cfg}|timidity.cfg|/etc/timidity.cfg"
    "${VORLASK_FREEPATS_DIR}/${VORLASK_PIANO}|piano.pat|/freepats/${VORLASK_PIANO}")
  foreach(file ${VORLASK_DATA_FILES})
    get_filename_component(name "${file}" NAME)
    if(name MATCHES "\\.bmp$")
      # (Each option in one piece: CMake would merge repeated words of separate ones.)
      list(APPEND preload "SHELL:--preload-file ${file}@/vorlask/${name}")
    else()
      list(APPEND music "${file}|${name}|/vorlask/${name}")
    endif()
  endforeach()
  set_property(TARGET vorlask APPEND PROPERTY LINK_DEPENDS ${VORLASK_DATA_FILES} "${font}"
               "${web}/shell.html" "${web}/loading.js")

  # SDL's audio resumes the page's sound on the player's first key or click with these, and
  # only the game's own functions may wait (below); both lists are named in files because the
  # build tools would mangle their dollar signs on the command line.
  file(WRITE "${CMAKE_BINARY_DIR}/library_funcs.json" "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")
  file(WRITE "${CMAKE_BINARY_DIR}/async_funcs.json" "[\"main\", \"vorlask::*\"]\n")
  target_link_options(vorlask PRIVATE ${preload}
    "--shell-file=${web}/shell.html" "--pre-js=${web}/loading.js"
    # The animation and the speed measurement draw frame after frame inside one handler, the
    # loop waits for the next event, and the music's first start waits for its files: the
    # program gives the browser its turn and carries on where it was. Only the game's own code
    # is prepared for that (Asyncify), besides whatever calls a waiting function directly: the
    # libraries never wait through a pointer to a function (SDL's own wait after each picture
    # is switched off, hooks.cpp), and preparing all of them would make the program half as
    # large again.
    "-sASYNCIFY=1" "-sASYNCIFY_STACK_SIZE=65536" "-sASYNCIFY_IGNORE_INDIRECT=1"
    "-sASYNCIFY_ADD=@${CMAKE_BINARY_DIR}/async_funcs.json"
    "-sALLOW_MEMORY_GROWTH=1" "-sENVIRONMENT=web"
    "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/library_funcs.json"
    # Emscripten 3.1.6's HTML minifier fails on every page; the page is small anyway.
    "-sMINIFY_HTML=0")
  vorlask_web_node_path(vorlask)

  # What the page must know of the program before it arrives (page_facts.cpp), run under node.
  add_executable(page_facts platform/web/page_facts.cpp)
  target_link_libraries(page_facts PRIVATE vorlask_game)
  # Plain JavaScript: newer nodes would fetch a separate .wasm as a URL and fail.
  target_link_options(page_facts PRIVATE "-sENVIRONMENT=node" "-sWASM=0")
  vorlask_web_node_path(page_facts)
  # (node by name: emscripten's own runner for programs asks for options newer nodes refuse.)
  find_program(node NAMES node nodejs REQUIRED)
  add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/page_facts.json"
    COMMAND "${node}" "$<TARGET_FILE:page_facts>" > "${CMAKE_BINARY_DIR}/page_facts.json"
    DEPENDS page_facts VERBATIM)

  # The folder of static files (site.cmake): the page and its service worker, and beside them a
  # folder named after the build that holds everything else, each text file also compressed
  # with gzip and, where Debian's brotli is installed, brotli.
  set(files "$<TARGET_FILE_DIR:vorlask>/vorlask.js|vorlask.js"
    "$<TARGET_FILE_DIR:vorlask>/vorlask.wasm|vorlask.wasm"
    "$<TARGET_FILE_DIR:vorlask>/vorlask.data|vorlask.data"
    "${web}/manifest.webmanifest|manifest.webmanifest"
    "${CMAKE_SOURCE_DIR}/data/icons/vorlask-64.png|favicon.png"
    "${CMAKE_SOURCE_DIR}/data/icons/vorlask-web-192.png|icon-192.png"
    "${CMAKE_SOURCE_DIR}/data/icons/vorlask-web-512.png|icon-512.png"
    "${CMAKE_SOURCE_DIR}/data/icons/vorlask-web-maskable.png|icon-maskable.png")
  foreach(entry ${music})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 from)
    list(GET parts 1 name)
    list(APPEND files "${from}|music/${name}")
  endforeach()
  string(REPLACE ";" "," music "${music}")
  string(REPLACE ";" "," files "${files}")
  add_custom_target(vorlask_site ALL
    COMMAND ${CMAKE_COMMAND} "-DSITE=${CMAKE_BINARY_DIR}/site" "-DPAGE=$<TARGET_FILE:vorlask>"
            "-DSCRIPT=${web}/page.js" "-DWORKER=${web}/service_worker.js" "-DFILES=${files}"
            "-DMUSIC=${music}"
            "-DFACTS=${CMAKE_BINARY_DIR}/page_facts.json" -P "${web}/site.cmake"
    DEPENDS vorlask "${web}/site.cmake" "${web}/page.js" "${web}/service_worker.js"
            "${web}/manifest.webmanifest" "${CMAKE_BINARY_DIR}/page_facts.json"
    VERBATIM)
endfunction()

# The font keeps only the Latin and Cyrillic letters, digits and punctuation: the game draws
# nothing else, and each kept glyph is drawn exactly as from the whole font (outline, hinting
# and kerning unchanged). A sixth of the bytes.
function(vorlask_web_font out)
  find_program(python python3 PATHS /usr/bin NO_DEFAULT_PATH)
  execute_process(COMMAND "${python}" -c "import fontTools.subset"
                  RESULT_VARIABLE no_fonttools OUTPUT_QUIET ERROR_QUIET)
  if(no_fonttools)
    message(FATAL_ERROR "Debian's python3-fonttools is missing; scripts/web installs it.")
  endif()
  get_filename_component(name "${VORLASK_FONT_FILE}" NAME)
  set(subset "${CMAKE_BINARY_DIR}/font/${name}")
  add_custom_command(OUTPUT "${subset}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/font"
    COMMAND "${python}" -m fontTools.subset "${VORLASK_FONT_FILE}"
            "--unicodes=U+0020-007E,U+00A0-017F,U+0400-045F,U+0490-0491,U+2010-2027,U+2030-203A,U+20AC,U+2116,U+FFFD"
            --legacy-kern --notdef-outline --drop-tables+=FFTM "--output-file=${subset}"
    DEPENDS "${VORLASK_FONT_FILE}"
    VERBATIM)
  add_custom_target(vorlask_font DEPENDS "${subset}")
  add_dependencies(vorlask vorlask_font)
  set(${out} "${subset}" PARENT_SCOPE)
endfunction()

# Debian's emscripten finds its JavaScript helpers (acorn) only through NODE_PATH when the node
# on the PATH is not Debian's own; the link is told where they are, whoever starts the build.
function(vorlask_web_node_path target)
  set(node_path "/usr/share/nodejs")
  if(DEFINED ENV{NODE_PATH} AND NOT "$ENV{NODE_PATH}" STREQUAL "")
    set(node_path "$ENV{NODE_PATH}:${node_path}")
  endif()
  set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
               ${CMAKE_COMMAND} -E env "NODE_PATH=${node_path}")
endfunction()
