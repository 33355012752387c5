# The Debian package, built and checked, then unpacked and played under Xvfb
# (skipped without a display). It needs the package tools and the same
# programs as the end-to-end tests; the sanitized build leaves it out (label package).
find_program(LINTIAN_PROGRAM lintian)
find_program(DESKTOP_FILE_VALIDATE_PROGRAM desktop-file-validate)
if(TARGET close_window AND LINTIAN_PROGRAM AND DESKTOP_FILE_VALIDATE_PROGRAM)
  add_test(NAME package.installs_and_plays
    COMMAND ${OWN_DISPLAY} bash ${CMAKE_CURRENT_SOURCE_DIR}/package/package.sh
            ${CMAKE_BINARY_DIR} $<TARGET_FILE:close_window> ${CMAKE_SOURCE_DIR}
    WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
  set_tests_properties(package.installs_and_plays PROPERTIES
    SKIP_RETURN_CODE 77
    TIMEOUT 300
    RESOURCE_LOCK quiltrush_window
    LABELS "package;gl")
else()
  message(STATUS "Package test left out: it needs close_window, lintian and desktop-file-utils")
endif()

# The README's options and controls tables are the one home of the launcher's
# --help and the man page's lists; this reads all three as a player would.
find_program(MAN_PROGRAM man)
if(MAN_PROGRAM)
  add_test(NAME package.help_follows_readme
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DLAUNCHER=${CMAKE_BINARY_DIR}/quiltrush-launch
            -DMAN_PAGE=${QUILTRUSH_STAGE}/quiltrush.6 -P ${CMAKE_CURRENT_SOURCE_DIR}/package/help_follows_readme.cmake)
  set_tests_properties(package.help_follows_readme PROPERTIES LABELS package)
else()
  message(STATUS "Help test left out: it needs man (man-db)")
endif()

# The AppStream metainfo, as installed; skipped with a message without appstreamcli.
add_test(NAME package.metainfo_is_valid
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/metainfo.sh ${QUILTRUSH_METAINFO} ${CMAKE_SOURCE_DIR})
set_tests_properties(package.metainfo_is_valid PROPERTIES SKIP_RETURN_CODE 77 LABELS package)
