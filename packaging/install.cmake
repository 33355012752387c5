# Installing Quilt Rush as Debian lays out games, and its Debian package
# (cmake --build build --target package, or cpack in build/):
#   /usr/games/quiltrush                   the launcher that players start
#   /usr/games/quiltrush-check-level, quiltrush-play-timeline,
#     quiltrush-find-playthrough           the level author's tools
#   /usr/lib/games/quiltrush/quiltrush     the game, started by the launcher only
#   /usr/share/games/quiltrush/assets/     images, scene model and level
# with the menu entry, AppStream metainfo, icons, man page, copyright and
# changelog. The level tools
# are commands of their own with their own options, run in or on a level tree
# as in the build tree, so they sit beside the launcher rather than behind it.
#
# build/quiltrush-launch is the same launcher for the build tree: it runs
# build/quiltrush on the source tree's assets/.

set(QUILTRUSH_GAMES_DIR games)
set(QUILTRUSH_LIB_DIR lib/games/quiltrush)
set(QUILTRUSH_DATA_DIR share/games/quiltrush)
set(QUILTRUSH_DOC_DIR share/doc/quiltrush)
set(QUILTRUSH_MAN_DIR share/man/man6)
set(QUILTRUSH_LEVEL_TOOLS quiltrush-check-level quiltrush-play-timeline quiltrush-find-playthrough)
set(QUILTRUSH_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(QUILTRUSH_STAGE ${CMAKE_BINARY_DIR}/packaging)
# The day of this version, for the man page and the changelog.
set(QUILTRUSH_RELEASE_DATE "2026-12-08")
set(QUILTRUSH_CHANGELOG_DATE "Tue, 08 Dec 2026 12:00:00 +0000")
# Who answers for the game, and the reverse-DNS id that names it in software
# centres (AppStream) and where its screenshots are published.
set(QUILTRUSH_MAINTAINER "Quilt Rush developers <developers@quiltrush.org>")
set(QUILTRUSH_APP_ID org.quiltrush.quiltrush)
set(QUILTRUSH_HOMEPAGE https://quiltrush.org)
set(QUILTRUSH_SCREENSHOTS_URL ${QUILTRUSH_HOMEPAGE}/screenshots)
# What the game is, for the package, the menu entry and software centres.
set(QUILTRUSH_CATEGORIES Game ArcadeGame)
list(JOIN QUILTRUSH_CATEGORIES ";" QUILTRUSH_DESKTOP_CATEGORIES)
list(TRANSFORM QUILTRUSH_CATEGORIES PREPEND "    <category>" OUTPUT_VARIABLE categories)
list(TRANSFORM categories APPEND "</category>")
list(JOIN categories "\n" QUILTRUSH_METAINFO_CATEGORIES)
set(QUILTRUSH_SUMMARY "Bend a pinned cloth to roll a ball through every checkpoint")
set(QUILTRUSH_DESCRIPTION "Quilt Rush is a small 3-D physics game against the clock. A heavy red ball
lies on a patch of quilted cloth pinned above a wooden course. Grab the
cloth with the mouse and pull it, pin it down with one of your few tacks,
and turn and zoom the camera, so that the bending cloth rolls the ball
through every checkpoint bubble as fast as you can. A pack of levels, each
asking for a new use of the same few controls, waits on the level screen.")
# The licence's one home is LICENSE; its copyright line goes into the
# package's copyright file as well.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE QUILTRUSH_LICENSE_TEXT)
if(NOT QUILTRUSH_LICENSE_TEXT MATCHES "Copyright \\(c\\) ([^\n]+)")
  message(FATAL_ERROR "LICENSE has no 'Copyright (c) YEAR HOLDER' line")
endif()
set(QUILTRUSH_COPYRIGHT "${CMAKE_MATCH_1}")
# The copyright format's text: every line indented, an empty one as " .".
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n\n" "" license "${QUILTRUSH_LICENSE_TEXT}")  # after the title and copyright
string(REGEX REPLACE "\n+$" "" license "${license}")
string(REGEX REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " QUILTRUSH_LICENSE_BODY " ${license}")

include(${QUILTRUSH_PACKAGING}/readme_tables.cmake)
set(readme ${CMAKE_SOURCE_DIR}/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme} ${CMAKE_SOURCE_DIR}/LICENSE)
quiltrush_read_table(${readme} options option_names option_texts)
quiltrush_read_table(${readme} controls control_names control_texts)
quiltrush_help_rows("${option_names}" "${option_texts}" QUILTRUSH_HELP_OPTIONS)
quiltrush_help_rows("${control_names}" "${control_texts}" QUILTRUSH_HELP_CONTROLS)
quiltrush_man_rows("${option_names}" "${option_texts}" QUILTRUSH_MAN_OPTIONS)
quiltrush_man_rows("${control_names}" "${control_texts}" QUILTRUSH_MAN_CONTROLS)

# The launcher, twice: installed, it finds the game and its data from its own
# place; in the build tree, the game beside it and the data in the source tree.
function(quiltrush_launcher output game data repair)
  set(LAUNCH_GAME ${game})
  set(LAUNCH_DATA ${data})
  set(LAUNCH_REPAIR ${repair})
  configure_file(${QUILTRUSH_PACKAGING}/quiltrush.in ${output} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()
quiltrush_launcher(${QUILTRUSH_STAGE}/quiltrush
  "\${here%/*}/${QUILTRUSH_LIB_DIR}/quiltrush" "\${here%/*}/${QUILTRUSH_DATA_DIR}/assets"
  "reinstall the quiltrush package")
quiltrush_launcher(${CMAKE_BINARY_DIR}/quiltrush-launch
  "\${here}/quiltrush" "${CMAKE_SOURCE_DIR}/assets" "build the game first (cmake --build build)")

# Man page and changelog, compressed as Debian wants (gzip -9n: no name, no time).
configure_file(${QUILTRUSH_PACKAGING}/quiltrush.6.in ${QUILTRUSH_STAGE}/quiltrush.6 @ONLY)
configure_file(${QUILTRUSH_PACKAGING}/changelog.in ${QUILTRUSH_STAGE}/changelog @ONLY)
configure_file(${QUILTRUSH_PACKAGING}/copyright.in ${QUILTRUSH_STAGE}/copyright @ONLY)
configure_file(${QUILTRUSH_PACKAGING}/quiltrush.desktop.in ${QUILTRUSH_STAGE}/quiltrush.desktop @ONLY)
set(QUILTRUSH_METAINFO ${QUILTRUSH_STAGE}/${QUILTRUSH_APP_ID}.metainfo.xml)
configure_file(${QUILTRUSH_PACKAGING}/quiltrush.metainfo.xml.in ${QUILTRUSH_METAINFO} @ONLY)
set(compressed)
foreach(name quiltrush.6 changelog)
  add_custom_command(OUTPUT ${QUILTRUSH_STAGE}/${name}.gz
    COMMAND gzip -9nkf ${name}
    DEPENDS ${QUILTRUSH_STAGE}/${name}
    WORKING_DIRECTORY ${QUILTRUSH_STAGE})
  list(APPEND compressed ${QUILTRUSH_STAGE}/${name}.gz)
endforeach()
add_custom_target(quiltrush_compressed_docs ALL DEPENDS ${compressed})
# The level tools share the game's man page.
set(tool_pages)
foreach(tool ${QUILTRUSH_LEVEL_TOOLS})
  file(CREATE_LINK quiltrush.6.gz ${QUILTRUSH_STAGE}/${tool}.6.gz SYMBOLIC)
  list(APPEND tool_pages ${QUILTRUSH_STAGE}/${tool}.6.gz)
endforeach()

install(TARGETS quiltrush RUNTIME DESTINATION ${QUILTRUSH_LIB_DIR})
install(PROGRAMS ${QUILTRUSH_STAGE}/quiltrush DESTINATION ${QUILTRUSH_GAMES_DIR})
foreach(tool ${QUILTRUSH_LEVEL_TOOLS})
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${QUILTRUSH_GAMES_DIR})
  endif()
endforeach()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets DESTINATION ${QUILTRUSH_DATA_DIR})
install(FILES ${QUILTRUSH_STAGE}/quiltrush.desktop DESTINATION share/applications)
install(FILES ${QUILTRUSH_METAINFO} DESTINATION share/metainfo)
foreach(size 48 256)
  install(FILES ${QUILTRUSH_PACKAGING}/icons/quiltrush-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quiltrush.png)
endforeach()
install(FILES ${QUILTRUSH_STAGE}/quiltrush.6.gz ${tool_pages} DESTINATION ${QUILTRUSH_MAN_DIR})
install(FILES ${QUILTRUSH_STAGE}/copyright ${QUILTRUSH_STAGE}/changelog.gz DESTINATION ${QUILTRUSH_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quiltrush)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${QUILTRUSH_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${QUILTRUSH_DESCRIPTION}

Start it from the desktop's game menu or as quiltrush (quiltrush --level NAME
starts on a level of the pack). Level authors can play a level of their own
with quiltrush --level DIR and check it with quiltrush-check-level.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILTRUSH_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
