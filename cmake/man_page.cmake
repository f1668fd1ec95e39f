# Writes a manual page from a program's --help and --version with help2man, so the page lists
# exactly the options the program has. Run with cmake -P:
#   -DHELP2MAN=help2man -DPROGRAM=<program> -DNAME=<one-line summary> -DINCLUDE=<h2m file>
#   -DOUTPUT=<page.1.gz> -DWORK_DIR=<folder> [-DSUBCOMMANDS=ON] [-DSOURCE_DATE_EPOCH=<seconds>]
# With SUBCOMMANDS=ON the program's subcommands (a CLI11 "Subcommands:" list) each get a part of a
# COMMANDS section with their description and options, from "<program> <subcommand> --help".
# The page is compressed with gzip -9n, as Debian installs manual pages.
cmake_minimum_required(VERSION 3.21)

foreach(variable HELP2MAN PROGRAM NAME INCLUDE OUTPUT WORK_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "man_page.cmake needs -D${variable}=...")
  endif()
endforeach()
if(DEFINED SOURCE_DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_DATE_EPOCH}) # the page's date: the release's, not today's
endif()
# The desktop program prints its help without a display.
set(ENV{QT_QPA_PLATFORM} offscreen)
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(program_name ${PROGRAM} NAME)

# Runs help2man; the page's text goes to out_var. Both programs print their help and version on
# standard output; what goes to standard error (such as Qt's warning about XDG_RUNTIME_DIR) is
# left out, or it would become the page's name.
function(run_help2man out_var)
  execute_process(COMMAND ${HELP2MAN} --no-info ${ARGN} ${PROGRAM}
                  OUTPUT_VARIABLE page ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man ${ARGN} ${PROGRAM} failed (${status}): ${errors}")
  endif()
  set(${out_var} "${page}" PARENT_SCOPE)
endfunction()

# The body of section `section` of a help2man page: from its .SH line to the next one.
function(section_of page section out_var)
  string(FIND "${page}" ".SH ${section}\n" start)
  if(start EQUAL -1)
    set(${out_var} "" PARENT_SCOPE)
    return()
  endif()
  string(LENGTH ".SH ${section}\n" heading)
  math(EXPR start "${start} + ${heading}")
  string(SUBSTRING "${page}" ${start} -1 rest)
  string(FIND "${rest}" "\n.SH " end)
  if(NOT end EQUAL -1)
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${rest}" 0 ${end} rest)
  endif()
  set(${out_var} "${rest}" PARENT_SCOPE)
endfunction()

file(READ ${INCLUDE} include_text)
if(SUBCOMMANDS)
  execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
  endif()
  string(FIND "${help}" "\nSubcommands:\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} --help lists no subcommands")
  endif()
  string(SUBSTRING "${help}" ${start} -1 list)
  string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" names "${list}")
  string(APPEND include_text "\n[COMMANDS]\n")
  foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    run_help2man(page "--help-option=${name} --help")
    section_of("${page}" "DESCRIPTION" description)
    section_of("${page}" "OPTIONS" options)
    string(APPEND include_text ".SS ${name}\n${description}${options}")
  endforeach()
endif()
# The NAME section names the command, as whatis and apropos look it up (help2man would take the
# first word of the --version line, "Zorbal").
string(REPLACE "-" "\\-" command_roff "${program_name}")
string(PREPEND include_text "[NAME]\n${command_roff} \\- ${NAME}\n")
file(WRITE ${WORK_DIR}/${program_name}.h2m "${include_text}")

run_help2man(page "--include=${WORK_DIR}/${program_name}.h2m")
# The page is titled after its program (help2man takes the title from the --version line).
string(TOUPPER "${program_name}" title)
string(REPLACE "-" "\\-" title_roff "${title}")
string(REGEX MATCH "\n\\.TH ([^ ]+) " title_line "\n${page}")
if(NOT CMAKE_MATCH_1 STREQUAL title AND NOT CMAKE_MATCH_1 STREQUAL title_roff)
  message(FATAL_ERROR "help2man titled the page of ${program_name} \"${CMAKE_MATCH_1}\", not ${title}")
endif()
file(WRITE ${WORK_DIR}/${program_name}.1 "${page}")
execute_process(COMMAND gzip -9n -c ${WORK_DIR}/${program_name}.1 OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip ${WORK_DIR}/${program_name}.1 failed")
endif()
