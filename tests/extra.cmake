# End-to-end checks of the real executable in a window. They need an X display
# (their own, see OWN_DISPLAY, or the one the test command runs everything
# under) and skip without one.
find_package(X11)
find_program(XDOTOOL_PROGRAM xdotool)

if(X11_FOUND AND XDOTOOL_PROGRAM)
  add_executable(close_window e2e/close_window.cpp)
  target_link_libraries(close_window PRIVATE X11::X11)

  add_test(NAME e2e.window_opens_and_closes
    COMMAND ${OWN_DISPLAY} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/window_opens.sh
            $<TARGET_FILE:quiltrush> $<TARGET_FILE:close_window> ${CMAKE_SOURCE_DIR}
    WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
  # 77: no display. The lock keeps two instances of the game from sharing the
  # display at once, since they would show windows with the same title.
  set_tests_properties(e2e.window_opens_and_closes PROPERTIES
    SKIP_RETURN_CODE 77
    TIMEOUT 120
    RESOURCE_LOCK quiltrush_window
    LABELS "e2e;gl")
else()
  message(STATUS "End-to-end tests left out: they need Xlib (libx11-dev) and xdotool")
endif()

# The level checker: its unit tests link its library, and the real executable
# must find the shipped level and every level of the pack clean, without a
# warning either.
if(TARGET level_checker AND TARGET tools_tests)
  target_link_libraries(tools_tests PRIVATE level_checker)
endif()
set(QUILTRUSH_PACK_FILE ${CMAKE_SOURCE_DIR}/assets/levels/pack.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUILTRUSH_PACK_FILE})
file(STRINGS ${QUILTRUSH_PACK_FILE} QUILTRUSH_PACK_LINES REGEX "^[a-z0-9]+ ")
set(QUILTRUSH_PACK_LEVELS)
foreach(line ${QUILTRUSH_PACK_LINES})
  string(REGEX MATCH "^[a-z0-9]+" name "${line}")
  list(APPEND QUILTRUSH_PACK_LEVELS ${name})
endforeach()
if(TARGET quiltrush-check-level)
  add_test(NAME tools.check_level.shipped_level_is_clean
    COMMAND $<TARGET_FILE:quiltrush-check-level> ${CMAKE_SOURCE_DIR}
    WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
  set_tests_properties(tools.check_level.shipped_level_is_clean PROPERTIES
    PASS_REGULAR_EXPRESSION "gameData\\.txt: ok: "
    LABELS "tools")
  foreach(level ${QUILTRUSH_PACK_LEVELS})
    add_test(NAME tools.check_level.${level}_is_clean
      COMMAND $<TARGET_FILE:quiltrush-check-level> ${CMAKE_SOURCE_DIR} --level ${level}
      WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
    set_tests_properties(tools.check_level.${level}_is_clean PROPERTIES
      PASS_REGULAR_EXPRESSION ": ok: "
      FAIL_REGULAR_EXPRESSION "warning"
      LABELS "tools")
  endforeach()
endif()

# Playing the real executable as a player would: mouse and keys through
# xdotool, screenshots through ImageMagick (import, convert, compare) measured
# by pixel figures. Same lock and skip code as the window test above.
find_program(IMPORT_PROGRAM import)
find_program(CONVERT_PROGRAM convert)
find_program(COMPARE_PROGRAM compare)
if(TARGET close_window AND IMPORT_PROGRAM AND CONVERT_PROGRAM AND COMPARE_PROGRAM)
  foreach(scenario menu_play screens exit_button close_during_play)
    add_test(NAME e2e.${scenario}
      COMMAND ${OWN_DISPLAY} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${scenario}.sh
              $<TARGET_FILE:quiltrush> $<TARGET_FILE:close_window> ${CMAKE_SOURCE_DIR}
      WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
    set_tests_properties(e2e.${scenario} PROPERTIES
      SKIP_RETURN_CODE 77
      TIMEOUT 120
      RESOURCE_LOCK quiltrush_window
      LABELS "e2e;gl")
  endforeach()
else()
  message(STATUS "Played end-to-end tests left out: they need close_window and ImageMagick")
endif()

# PhysicsEngine::update must not allocate. The check replaces the global
# operator new, which counts the allocations of the whole program it is linked
# into, so it is a test binary of its own.
add_executable(physics_allocation_tests physics/allocation/UpdateAllocationTest.cpp)
target_link_libraries(physics_allocation_tests PRIVATE test_support GTest::gtest_main)
gtest_discover_tests(physics_allocation_tests
  WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY}
  PROPERTIES LABELS "physics"
  DISCOVERY_MODE PRE_TEST)

# The game driver and the recorded playthrough. The driver's plain parts are
# tested in tools_tests; every test here builds the real game in a child
# process of its own (the game can be built once per process), so this binary
# never initialises GLUT itself and keeps apart from the other GL tests.
if(TARGET game_driver)
  if(TARGET tools_tests)
    target_link_libraries(tools_tests PRIVATE game_driver playthrough_finder)
  endif()
  file(GLOB PLAYTHROUGH_SOURCES CONFIGURE_DEPENDS playthrough/*.cpp)
  add_executable(playthrough_gl_tests ${PLAYTHROUGH_SOURCES})
  target_link_libraries(playthrough_gl_tests PRIVATE test_support game_driver playthrough_finder GTest::gtest_main)
  gtest_discover_tests(playthrough_gl_tests
    WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY}
    PROPERTIES LABELS "playthrough_gl" TIMEOUT 300
    DISCOVERY_MODE PRE_TEST)
endif()

# The soak run's random player is tested against a real menu, its memory
# trend on plain numbers.
if(TARGET soak_player AND TARGET tools_gl_tests)
  target_link_libraries(tools_gl_tests PRIVATE soak_player)
endif()
if(TARGET soak_player AND TARGET tools_tests)
  target_link_libraries(tools_tests PRIVATE soak_player)
endif()

# Two simulated minutes of random play through the real game, checked after
# every tick. Needs an X display (the test command runs under Xvfb). It runs
# in a folder of its own that sees the assets, so its log.txt stays there.
if(TARGET quiltrush-soak)
  set(SOAK_WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/soakrun)
  file(MAKE_DIRECTORY ${SOAK_WORKING_DIRECTORY})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/assets ${SOAK_WORKING_DIRECTORY}/assets SYMBOLIC)
  add_test(NAME soak.two_minutes_of_random_play
    COMMAND $<TARGET_FILE:quiltrush-soak> 2 1
    WORKING_DIRECTORY ${SOAK_WORKING_DIRECTORY})
  set_tests_properties(soak.two_minutes_of_random_play PROPERTIES
    TIMEOUT 600
    RESOURCE_LOCK quiltrush_window
    LABELS "soak;gl")
endif()

# The screenshot tool saves whole frames at the ticks asked for and reports
# frames it could not take. Needs an X display; 77 skips without one.
if(TARGET quiltrush-screenshots)
  add_test(NAME tools.screenshots.saves_chosen_frames
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/screenshots_tool.sh
            $<TARGET_FILE:quiltrush-screenshots> ${CMAKE_SOURCE_DIR}
    WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
  # Its window lies where the end-to-end tests' windows lie and would show in their screenshots.
  set_tests_properties(tools.screenshots.saves_chosen_frames PROPERTIES
    SKIP_RETURN_CODE 77
    TIMEOUT 120
    RESOURCE_LOCK quiltrush_window
    LABELS "tools_gl")
endif()
