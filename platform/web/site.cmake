# Lays out the web page's folder of static files (run by the vorlask_site target of platform.cmake):
#
#   index.html, sw.js               the page and its service worker, under fixed names
#   <build>/...                     everything else: the program, its data, the manifest, the
#                                   icons and the music's files
#
# <build> is made from a hash of every file of the build, the page and the worker included, so
# the name stands for exactly one set of contents: a page names only its own build's folder,
# a browser never takes one build's program with another build's data, and a cached copy of
# anything under it never needs checking. The page and the worker name their build, which is
# how the worker tells whether a page belongs to it (service_worker.js).
#
# Each text file is also written compressed beside itself (.gz, and .br where Debian's brotli is
# installed), for a server to send instead when the browser accepts it (scripts/serve-web).
#
# Arguments (-D): SITE the folder; PAGE the page emscripten made; SCRIPT the page's own script
# (page.js), which goes into the page; WORKER the worker's source;
# FILES a comma-separated list of SOURCE|NAME-IN-BUILD-FOLDER; MUSIC the same for the music's
# files, SOURCE|NAME|PATH-IN-THE-PAGE'S-FILE-SYSTEM; FACTS what the page must know of the
# program before it arrives (page_facts.cpp).
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" files "${FILES}")
string(REPLACE "," ";" music "${MUSIC}")

# The fields of one SOURCE|NAME[|PATH] entry, as from, name and path.
macro(entry_fields entry)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 from)
  list(GET parts 1 name)
  list(LENGTH parts count)
  if(count GREATER 2)
    list(GET parts 2 path)
  endif()
endmacro()

# ---- The build's name ----
set(fingerprint "")
foreach(entry "${PAGE}|index.html" "${SCRIPT}|page.js" "${WORKER}|sw.js" ${files})
  entry_fields("${entry}")
  if(NOT EXISTS "${from}")
    message(FATAL_ERROR "${from} is missing")
  endif()
  file(SHA256 "${from}" hash)
  string(APPEND fingerprint "${name} ${hash}\n")
endforeach()
string(SHA256 build "${fingerprint}")
string(SUBSTRING "${build}" 0 12 build)

# ---- The build's folder ----
file(REMOVE_RECURSE "${SITE}")
set(kept "")
foreach(entry ${files})
  entry_fields("${entry}")
  get_filename_component(folder "${SITE}/${build}/${name}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${from}" "${SITE}/${build}/${name}")
  list(APPEND kept "\"${build}/${name}\"")
endforeach()

find_program(GZIP gzip REQUIRED)
find_program(BROTLI brotli)
function(compress file)
  if(NOT file MATCHES "\\.(html|js|wasm|data|webmanifest|cfg|pat|mid)$")
    return()
  endif()
  execute_process(COMMAND "${GZIP}" -9 -n -k -f "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip failed on ${file}")
  endif()
  if(BROTLI)
    execute_process(COMMAND "${BROTLI}" -q 11 -k -f "${file}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "brotli failed on ${file}")
    endif()
  endif()
endfunction()
file(GLOB_RECURSE inside "${SITE}/${build}/*")
foreach(file ${inside})
  compress("${file}")
endforeach()

# What the page shows progress against: the bytes of each file of the first download, unpacked
# and as sent compressed, and of each music file unpacked.
set(first "")
foreach(name vorlask.js vorlask.wasm vorlask.data)
  file(SIZE "${SITE}/${build}/${name}" size)
  file(SIZE "${SITE}/${build}/${name}.gz" sent)
  list(APPEND first "\"${name}\": [${size}, ${sent}]")
endforeach()
list(JOIN first ", " first)
set(tunes "")
foreach(entry ${music})
  entry_fields("${entry}")
  file(SIZE "${SITE}/${build}/music/${name}" size)
  list(APPEND tunes "[\"music/${name}\", \"${path}\", ${size}]")
endforeach()
list(JOIN tunes ", " tunes)

# ---- The page and its worker ----
file(READ "${PAGE}" page)
set(script "src=\"vorlask.js\"")
string(FIND "${page}" "${script}" at)
if(at LESS 0)
  message(FATAL_ERROR "${PAGE} does not load vorlask.js")
endif()
string(REPLACE "${script}" "src=\"${build}/vorlask.js\"" page "${page}")
# The page's own script goes in first, for it holds most of the places filled in below.
file(READ "${SCRIPT}" own)
string(STRIP "${own}" own)
string(REPLACE "@VORLASK_PAGE_SCRIPT@" "${own}" page "${page}")
string(REPLACE "@VORLASK_BUILD@" "${build}" page "${page}")
string(REPLACE "@VORLASK_FIRST_DOWNLOAD@" "{${first}}" page "${page}")
string(REPLACE "@VORLASK_MUSIC@" "[${tunes}]" page "${page}")
file(READ "${FACTS}" facts)
string(STRIP "${facts}" facts)
string(REPLACE "@VORLASK_PAGE_FACTS@" "${facts}" page "${page}")
file(WRITE "${SITE}/index.html" "${page}")

file(READ "${WORKER}" worker)
list(JOIN kept ",\n  " kept)
string(REPLACE "@VORLASK_BUILD@" "${build}" worker "${worker}")
string(REPLACE "@VORLASK_FILES@" "[\n  ${kept},\n]" worker "${worker}")
file(WRITE "${SITE}/sw.js" "${worker}")

compress("${SITE}/index.html")
compress("${SITE}/sw.js")
message(STATUS "The page is built as ${build}")
