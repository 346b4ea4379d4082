# Makes a compressed manual page from a program's own --help and --version
# with help2man, so that the page cannot drift from the options.
#   cmake -DPROGRAM=... -DHELP2MAN=... -DGZIP=... -DWHATIS="..." -DOUT=NAME.1.gz [-DCOMMANDS=ON] -P ManPage.cmake
# With COMMANDS=ON the program is a command front end (bramble-cli): the page
# also holds every command's --help, found in the command list of the main
# --help, so that a new command appears without touching this script.
cmake_minimum_required(VERSION 3.25)

get_filename_component(program_name ${PROGRAM} NAME)
get_filename_component(out_dir ${OUT} DIRECTORY)
get_filename_component(page ${OUT} NAME_WLE)
set(work ${out_dir}/${program_name}-help)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

# The Qt program prints its help without a display.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{XDG_RUNTIME_DIR} ${work})

function(run_help out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "'${program_name} ${ARGN} --help' failed (${rc}); the manual page needs it")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(subject ${PROGRAM})
if(COMMANDS)
  # help2man reads one help text: the main help, with "Usage" as it expects
  # for the synopsis, then a Commands section with a sub-section per command.
  run_help(main)
  string(REGEX REPLACE "^usage: " "Usage: " combined "${main}")
  string(APPEND combined "\n*Commands*\n")
  # The command list: "  NAME summary" lines under a line ending in "Commands:".
  string(REGEX MATCH "Commands:\n(  [a-z][-a-z0-9]* +[^\n]*\n)+" table "${main}")
  string(REPLACE ";" "@SEMICOLON@" table "${table}")   # not a list separator
  string(REGEX MATCHALL "\n  [a-z][-a-z0-9]* +[^\n]*" entries "${table}")
  if(NOT entries)
    message(FATAL_ERROR "no command list found in '${program_name} --help'")
  endif()
  foreach(entry IN LISTS entries)
    string(REGEX MATCH "^\n  ([a-z][-a-z0-9]*) +(.*)$" _ "${entry}")
    set(command ${CMAKE_MATCH_1})
    string(REPLACE "@SEMICOLON@" ";" summary "${CMAKE_MATCH_2}")
    run_help(help ${command})
    # The heading, with the summary indented under it (help2man's sub-section
    # form), then the usage lines as one paragraph: their continuation lines
    # lose the indent that aligns them in a terminal.
    string(APPEND combined "\n${program_name} ${command}:\n  ${summary}\n\n")
    if(help MATCHES "^(usage: [^\n]*\n)(( +[^\n]*\n)*)(.*)$")
      set(usage "${CMAKE_MATCH_1}")
      set(continued "${CMAKE_MATCH_2}")
      set(help "${CMAKE_MATCH_4}")
      string(REGEX REPLACE "(^|\n) +" "\\1" continued "${continued}")
      string(APPEND combined "${usage}${continued}")
    endif()
    string(APPEND combined "${help}")
  endforeach()
  file(WRITE ${work}/help.txt "${combined}")
  # help2man runs a program: one that prints the combined text, named as the
  # real one so that the page carries its name.
  set(subject ${work}/${program_name})
  file(WRITE ${subject} "#!/bin/sh\ncase \"$1\" in\n--version) exec \"${PROGRAM}\" --version ;;\n*) exec cat \"${work}/help.txt\" ;;\nesac\n")
  file(CHMOD ${subject} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
endif()

# The page is named after the version line's first word: make it the
# program's file name (the Qt program says "Bramble 2.1210").
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version_line RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT version_line MATCHES "^[^ \n]+ ([^ \n]+)")
  message(FATAL_ERROR "'${program_name} --version' failed (${rc}): ${version_line}")
endif()
execute_process(COMMAND ${HELP2MAN} --no-info --section=1 --name=${WHATIS}
                        "--version-string=${program_name} ${CMAKE_MATCH_1}" --output=${out_dir}/${page} ${subject}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${program_name}: ${rc}")
endif()
# Maximum compression and no name or time stamp in the header, as Debian asks.
execute_process(COMMAND ${GZIP} -9nf ${out_dir}/${page} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${out_dir}/${page}: ${rc}")
endif()
