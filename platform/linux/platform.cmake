# The Linux desktop: Debian's SDL2 and SDL2_ttf, SDL2_mixer loaded when music is first wanted,
# X11 for the desktop's scaling, the program installed with its data, menu entry and manual.

include(GNUInstallDirs)
find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_ttf REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
find_package(X11 REQUIRED)
# SDL2_mixer is linked for its header only: the program loads the library itself
# (platform/linux/mixer.cpp), and --as-needed leaves it out of the program's needs.
set(VORLASK_SDL_LIBRARIES SDL2::SDL2 SDL2_ttf::SDL2_ttf SDL2_mixer::SDL2_mixer X11::X11)
set(VORLASK_SOUNDFONT_FILE "/usr/share/sounds/sf2/TimGM6mb.sf2")
set(VORLASK_DEFAULT_SOUNDFONT_FILE "/usr/share/sounds/sf2/default-GM.sf2")

# Where the program and its data go below the prefix. A distribution may want other places
# (Debian keeps games in games/ and share/games/); the program is told both, so that it finds
# its data at the installed place and, unpacked elsewhere, at the same place beside its folder.
set(VORLASK_INSTALL_BINDIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Folder of the installed program, below the prefix or absolute")
set(VORLASK_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/vorlask" CACHE STRING
    "Folder of the installed data files, below the prefix or absolute")
foreach(kind BINDIR DATADIR)
  if(IS_ABSOLUTE "${VORLASK_INSTALL_${kind}}")
    set(VORLASK_FULL_${kind} "${VORLASK_INSTALL_${kind}}")
  else()
    set(VORLASK_FULL_${kind} "${CMAKE_INSTALL_PREFIX}/${VORLASK_INSTALL_${kind}}")
  endif()
endforeach()
file(RELATIVE_PATH VORLASK_DATA_FROM_BIN "${VORLASK_FULL_BINDIR}" "${VORLASK_FULL_DATADIR}")

set(VORLASK_PLATFORM_LIBRARIES vorlask_linux vorlask_posix vorlask_desktop)

function(vorlask_platform_program)
  add_library(vorlask_linux OBJECT platform/linux/hooks.cpp platform/linux/mixer.cpp
    platform/linux/x11.cpp)
  target_link_libraries(vorlask_linux PUBLIC vorlask_sdl)
  target_compile_definitions(vorlask_linux PRIVATE
    VORLASK_FONT_FILE="${VORLASK_FONT_FILE}"
    VORLASK_SOUNDFONT_FILE="${VORLASK_SOUNDFONT_FILE}"
    VORLASK_DEFAULT_SOUNDFONT_FILE="${VORLASK_DEFAULT_SOUNDFONT_FILE}"
    VORLASK_INSTALLED_DATA_DIR="${VORLASK_FULL_DATADIR}"
    VORLASK_DATA_FROM_BIN="${VORLASK_DATA_FROM_BIN}")

  add_executable(vorlask platform/linux/main.cpp)
  target_link_libraries(vorlask PRIVATE ${VORLASK_PLATFORM_LIBRARIES})
  # The game loads SDL_mixer itself when music is first wanted; starting without it is faster.
  target_link_options(vorlask PRIVATE -Wl,--as-needed)
  # The program finds its data beside itself when it is not started from the data folder.
  add_custom_command(TARGET vorlask POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VORLASK_DATA_FILES} $<TARGET_FILE_DIR:vorlask>
    VERBATIM)

  # What a desktop needs besides the program and its data: the menu entry, the software
  # centre's description, the manual page and the icons (PNG at each size, under the one name
  # the menu entry asks for; the drawings scale to any size, the symbolic one is the outline
  # that panels recolour). The Debian package installs these through the same rules.
  install(TARGETS vorlask RUNTIME DESTINATION ${VORLASK_INSTALL_BINDIR})
  install(FILES ${VORLASK_DATA_FILES} DESTINATION ${VORLASK_INSTALL_DATADIR})
  install(FILES packaging/vorlask.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/io.github.vorlask.Vorlask.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES packaging/vorlask.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  foreach(size 64 128 256)
    install(FILES data/icons/vorlask-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vorlask.png)
  endforeach()
  install(FILES data/icons/vorlask.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES data/icons/vorlask-symbolic.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/symbolic/apps)
endfunction()

function(vorlask_platform_tests target)
  find_package(GTest REQUIRED)
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
endfunction()
