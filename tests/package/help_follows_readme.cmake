# The launcher's --help and the rendered man page show every row of the
# README's options and controls tables, word for word (line breaks and runs of
# blanks aside): what the generator writes is what a player reads.
#
#   cmake -DSOURCE_DIR=DIR -DLAUNCHER=FILE -DMAN_PAGE=FILE -P help_follows_readme.cmake
include(${SOURCE_DIR}/packaging/readme_tables.cmake)

# Text as a reader takes it: `code` marks gone, every run of white space one blank.
function(flatten text out)
  string(REPLACE "`" "" text "${text}")
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND sh ${LAUNCHER} --help
  OUTPUT_VARIABLE help ERROR_VARIABLE help_errors RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help_errors)
  message(FATAL_ERROR "quiltrush --help ended with ${status}: ${help_errors}")
endif()
# Wide enough that no row breaks or hyphenates; plain ASCII hyphens and quotes.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C MANWIDTH=1000 man --warnings -l ${MAN_PAGE}
  OUTPUT_VARIABLE page ERROR_VARIABLE page_errors RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR page_errors)
  message(FATAL_ERROR "man -l ${MAN_PAGE} ended with ${status}: ${page_errors}")
endif()
flatten("${help}" help)
flatten("${page}" page)

set(missing "")
set(rows 0)
foreach(table options controls)
  quiltrush_read_table(${SOURCE_DIR}/README.md ${table} firsts seconds)
  foreach(first second IN ZIP_LISTS firsts seconds)
    quiltrush_unmask("${first} ${second}" row)
    flatten("${row}" row)
    math(EXPR rows "${rows} + 1")
    foreach(shown help page)
      string(FIND "${${shown}}" "${row}" at)
      if(at LESS 0)
        string(APPEND missing "\n  ${shown} lacks: ${row}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(missing)
  message(FATAL_ERROR "The README's rows are not all shown:${missing}")
endif()
message(STATUS "--help and the man page show all ${rows} rows of the README's options and controls")
