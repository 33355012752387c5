# Installing Quilt Rush as Debian lays out games, and its Debian package
# (cmake --build build --target package, or cpack in build/):
#   /usr/games/quiltrush                   the launcher that players start
#   /usr/games/quiltrush-check-level, quiltrush-play-timeline,
#     quiltrush-find-playthrough           the level author's tools
#   /usr/lib/games/quiltrush/quiltrush     the game, started by the launcher only
#   /usr/share/games/quiltrush/assets/     images, scene model and level
# with the menu entry, icons, man page, copyright and changelog. The level tools
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
set(QUILTRUSH_MAINTAINER "Quilt Rush developers <quiltrush@example.org>")

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
install(FILES ${QUILTRUSH_PACKAGING}/quiltrush.desktop DESTINATION share/applications)
foreach(size 48 256)
  install(FILES ${QUILTRUSH_PACKAGING}/icons/quiltrush-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quiltrush.png)
endforeach()
install(FILES ${QUILTRUSH_STAGE}/quiltrush.6.gz ${tool_pages} DESTINATION ${QUILTRUSH_MAN_DIR})
install(FILES ${QUILTRUSH_PACKAGING}/copyright ${QUILTRUSH_STAGE}/changelog.gz DESTINATION ${QUILTRUSH_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quiltrush)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "roll a ball through checkpoints by bending a pinned cloth")
set(CPACK_PACKAGE_DESCRIPTION "Quilt Rush is a small 3-D physics game against the clock. A heavy red ball
lies on a patch of quilted cloth pinned above a wooden course. Grab the
cloth with the mouse and pull it, pin it down with one of your few tacks,
and turn and zoom the camera, so that the bending cloth rolls the ball
through every checkpoint bubble as fast as you can.

Start it from the desktop's game menu or as quiltrush. Level authors can
play a level of their own with quiltrush --level DIR and check it with
quiltrush-check-level.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILTRUSH_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
