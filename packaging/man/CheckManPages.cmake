# Checks that the manual pages, as man shows them, hold every line of the
# programs' --help: the main help of bramble and bramble-cli and the help of
# every bramble-cli command. Spacing is not compared (man fills and adjusts).
#   cmake -DBRAMBLE=... -DBRAMBLE_CLI=... -DMAN_DIR=... -DWORK=... -P CheckManPages.cmake
cmake_minimum_required(VERSION 3.25)

find_program(MAN man)
if(NOT MAN)
  message("man is not installed: the manual page check is skipped (./dev.sh test installs it)")
  return()
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{XDG_RUNTIME_DIR} ${WORK})
# Plain ASCII, and lines so wide that man breaks no line and hyphenates no word.
set(ENV{LC_ALL} C)
set(ENV{MANWIDTH} 10000)

function(normalised text out)
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  string(STRIP "${text}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(help_of program out)
  execute_process(COMMAND ${program} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "'${program} ${ARGN} --help' failed: ${rc}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(missing "")
# Every line of HELP appears in the page of PAGE as man shows it.
function(check_lines page help)
  execute_process(COMMAND ${MAN} --warnings -l ${MAN_DIR}/${page}.1.gz OUTPUT_VARIABLE shown
                  ERROR_VARIABLE warnings RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man ${page}: ${rc}\n${warnings}")
  endif()
  normalised("${shown}" shown)
  string(REPLACE ";" "@SEMICOLON@" help "${help}")   # not a list separator
  string(REPLACE "\n" ";" lines "${help}")
  foreach(line IN LISTS lines)
    string(REPLACE "@SEMICOLON@" ";" line "${line}")
    string(REGEX REPLACE "^[Uu]sage: ([^ ]*/)?" "" line "${line}")   # shown as the synopsis
    normalised("${line}" line)
    if(line MATCHES "^(Options|Environment|Files|Examples):$")   # shown as a section heading
      string(TOUPPER "${CMAKE_MATCH_1}" line)
    endif()
    if(line STREQUAL "")
      continue()
    endif()
    string(FIND "${shown}" "${line}" at)
    if(at EQUAL -1)
      string(APPEND missing "\n  ${page}: ${line}")
    endif()
  endforeach()
  set(missing "${missing}" PARENT_SCOPE)
endfunction()

help_of(${BRAMBLE} help)
check_lines(bramble "${help}")
help_of(${BRAMBLE_CLI} help)
check_lines(bramble-cli "${help}")
# The commands: indented lines of the main help that begin with a name.
string(REPLACE ";" "," rows "${help}")   # not a list separator
string(REGEX MATCHALL "\n  +[a-z][-a-z0-9]* [^\n]*" rows "${rows}")
set(commands 0)
foreach(row IN LISTS rows)
  string(REGEX MATCH "^\n +([a-z][-a-z0-9]*)" _ "${row}")
  help_of(${BRAMBLE_CLI} command_help ${CMAKE_MATCH_1})
  check_lines(bramble-cli "${command_help}")
  math(EXPR commands "${commands} + 1")
endforeach()
if(commands EQUAL 0)
  message(FATAL_ERROR "no command found in 'bramble-cli --help'")
endif()
if(NOT missing STREQUAL "")
  message(FATAL_ERROR "lines of --help missing from the manual pages:${missing}")
endif()
message("the manual pages hold every line of the --help of bramble, bramble-cli and its ${commands} commands")
