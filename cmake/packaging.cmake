# The Debian package: scripts/package.sh configures the `release` preset (ZORBAL_PACKAGE=ON),
# builds, and runs CPack's DEB generator. Besides what every install holds (the programs, the menu
# entry, the icon and the AppStream metadata; see app/CMakeLists.txt) the package installs the
# manual pages, written by help2man from the programs' --help, and Debian's copyright file and
# changelog.
if(NOT ZORBAL_BUILD_GUI)
  message(FATAL_ERROR "ZORBAL_PACKAGE needs ZORBAL_BUILD_GUI: the package holds the desktop program")
endif()
find_program(ZORBAL_HELP2MAN help2man REQUIRED)
find_program(ZORBAL_GZIP gzip REQUIRED)

set(ZORBAL_MAINTAINER "The Zorbal developers <zorbal@example.org>")
set(package_dir ${PROJECT_BINARY_DIR}/packaging)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/zorbal) # named after the package, as Debian wants

# The release date in the changelog's form, and as the manual pages' date (SOURCE_DATE_EPOCH), so
# that a rebuild gives the same files.
execute_process(COMMAND date -u -R -d "${ZORBAL_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE ZORBAL_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u +%s -d "${ZORBAL_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# /usr/share/doc/zorbal/copyright: the LICENSE in Debian's machine-readable copyright format, where
# MIT is called Expat and a blank line of the licence text is a " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" copyright_line "${license}")
set(copyright_holder "${CMAKE_MATCH_1}")
string(FIND "${license}" "Permission is hereby granted" start)
string(SUBSTRING "${license}" ${start} -1 license_terms)
string(STRIP "${license_terms}" license_terms)
string(REPLACE "\n\n" "\n.\n" license_terms "${license_terms}")
string(REPLACE "\n" "\n " license_terms "${license_terms}")
file(WRITE ${package_dir}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Zorbal
Upstream-Contact: ${ZORBAL_MAINTAINER}

Files: *
Copyright: ${copyright_holder}
License: Expat
 ${license_terms}
")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# changelog.gz (a native package's changelog), compressed as Debian wants: gzip -9, no time stamp.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${package_dir}/changelog @ONLY)
execute_process(COMMAND ${ZORBAL_GZIP} -9n -c ${package_dir}/changelog OUTPUT_FILE ${package_dir}/changelog.gz
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${package_dir}/copyright ${package_dir}/changelog.gz DESTINATION ${doc_dir})

# zorbal(1) and zorbal-cli(1), written after the programs are built.
set(man_script ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake)
add_custom_command(
  OUTPUT ${package_dir}/zorbal.1.gz
  COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${ZORBAL_HELP2MAN} -DPROGRAM=$<TARGET_FILE:zorbal>
          "-DNAME=water-rocket flight simulator" -DINCLUDE=${PROJECT_SOURCE_DIR}/packaging/zorbal.h2m
          -DOUTPUT=${package_dir}/zorbal.1.gz -DWORK_DIR=${package_dir}/man -DSOURCE_DATE_EPOCH=${release_epoch}
          -P ${man_script}
  DEPENDS zorbal ${man_script} ${PROJECT_SOURCE_DIR}/packaging/zorbal.h2m
  COMMENT "Writing the manual page zorbal(1)")
add_custom_command(
  OUTPUT ${package_dir}/zorbal-cli.1.gz
  COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${ZORBAL_HELP2MAN} -DPROGRAM=$<TARGET_FILE:zorbal-cli>
          "-DNAME=fly water-rocket designs without a display" -DINCLUDE=${PROJECT_SOURCE_DIR}/packaging/zorbal-cli.h2m
          -DOUTPUT=${package_dir}/zorbal-cli.1.gz -DWORK_DIR=${package_dir}/man -DSUBCOMMANDS=ON
          -DSOURCE_DATE_EPOCH=${release_epoch} -P ${man_script}
  DEPENDS zorbal-cli ${man_script} ${PROJECT_SOURCE_DIR}/packaging/zorbal-cli.h2m
  COMMENT "Writing the manual page zorbal-cli(1)")
add_custom_target(zorbal_man_pages ALL DEPENDS ${package_dir}/zorbal.1.gz ${package_dir}/zorbal-cli.1.gz)
install(FILES ${package_dir}/zorbal.1.gz ${package_dir}/zorbal-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package itself.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbal)
set(CPACK_PACKAGE_VENDOR "The Zorbal developers")
set(CPACK_PACKAGE_CONTACT "${ZORBAL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZORBAL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "water-rocket flight simulator")
# The extended description: Debian shows it as written, so its lines are kept short.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Zorbal is a water-rocket flight simulator for schools, teachers and"
  "hobbyists. Design a bottle rocket (volume, water fill, pressure, nozzle,"
  "mass, drag, launch angle, launch rail, parachute, wind), press Launch! and"
  "see at once how high and how far it flies and why: a trajectory graph"
  "coloured by phase over earlier launches, a velocity graph, a history table"
  "that marks what changed and what was best, and a plain-language commentary."
  ""
  "The package holds the desktop program, zorbal, and zorbal-cli, which flies"
  "the same designs through the same code without a display.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZORBAL_HOMEPAGE}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # zorbal_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Depends from the libraries the binaries link
# The font the window asks for first (metric-compatible with the one its captions were fitted to).
# Recommended, not required: without it the window shrinks DejaVu Sans to the same widths, so
# nothing is cut, and apt installs what a package recommends unless told not to.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
