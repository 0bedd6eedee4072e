# Gives every text file of the Windows folder, its own and the licences copied from elsewhere,
# Windows' line ends (\r\n), so that Notepad of any age shows their lines; a file whose lines
# end so already, in part or in full, keeps one \r per line.
# Usage: cmake -DFOLDER=<the game's folder> -P crlf.cmake
file(GLOB_RECURSE texts "${FOLDER}/*.txt" "${FOLDER}/*.cfg")
foreach(path IN LISTS texts)
  file(READ "${path}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${path}" "${text}")
endforeach()
