# The Debian packages (make package): one per install component, kavrel and kavrel-desktop,
# each with its copyright file, its changelog and a description of its own; the shared
# libraries each depends on are found by dpkg-shlibdeps.
set(KAVREL_MAINTAINER "kavrel maintainers <maintainers@kavrel.org>"
    CACHE STRING "Maintainer named in the Debian packages")
# The date of this version's changelog entry (RFC 5322), changed with the version.
set(KAVREL_RELEASE_DATE "Mon, 07 Dec 2026 00:00:00 +0000")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavrel)
set(CPACK_PACKAGE_CONTACT "${KAVREL_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# The component licence is for make install only.
set(CPACK_COMPONENTS_ALL kavrel)
if(TARGET kavrel_desktop_module)
  list(APPEND CPACK_COMPONENTS_ALL desktop)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_KAVREL_PACKAGE_NAME kavrel)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME kavrel-desktop)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_SOURCE kavrel)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_COMPONENT_DESKTOP_DEPENDS kavrel)
# Each description's first line is the package's summary.
set(CPACK_DEBIAN_KAVREL_DESCRIPTION
    "towing-tank resistance test analysis of ship models
kavrel analyses a resistance test of a ship model: Froude and Reynolds numbers,
the total resistance coefficient and the ITTC-1957 frictional coefficient of
every run, a smoothed resistance curve, the form factor from a Prohaska plot,
and the fixed-column report KAVREL.OUT with its pictures. Given the ship's
particulars it predicts the ship's resistance and effective power by the
ITTC-1978 method.
This package holds the program with its terminal front end, the manual page
and the examples.")
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION
    "desktop front end of the kavrel towing-tank analysis
This package holds the desktop front end of kavrel, the module kavrel loads to
show its text window, its graphs and its question boxes on an X display.
Without it kavrel runs in the terminal.")

# The copyright file (machine-readable, with the licence of LICENSE) and the changelog, in each
# package's documentation folder only: make install puts LICENSE there instead. kavrel is its
# own upstream, a native package: its changelog is changelog.gz.
file(READ LICENSE licence)
string(REGEX MATCH "\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])" licence "${licence}")
set(KAVREL_COPYRIGHT "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" licence "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " KAVREL_LICENCE " ${licence}")
set(debian ${PROJECT_BINARY_DIR}/debian)
configure_file(packaging/copyright.in ${debian}/copyright @ONLY)
configure_file(packaging/changelog.in ${debian}/changelog @ONLY)
execute_process(COMMAND gzip -9n -c ${debian}/changelog OUTPUT_FILE ${debian}/changelog.gz
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${debian}/copyright ${debian}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavrel COMPONENT kavrel EXCLUDE_FROM_ALL)
install(FILES ${debian}/copyright ${debian}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavrel-desktop COMPONENT desktop
        EXCLUDE_FROM_ALL)

# kavrel-desktop's libraries are found by dpkg-shlibdeps in packaging/DesktopDepends.cmake, run
# by cpack, rather than by CPack's own scan: that scan would also give the package scripts
# calling ldconfig for the module, which is loaded by kavrel, not a library of the linker's path.
if(TARGET kavrel_desktop_module)
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_PROJECT_CONFIG_FILE ${debian}/CPackProjectConfig.cmake)
  file(GENERATE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT
       "set(KAVREL_DESKTOP_MODULE \"$<TARGET_FILE:kavrel_desktop_module>\")
set(KAVREL_DEBIAN_DIR \"${debian}\")
include(\"${PROJECT_SOURCE_DIR}/packaging/DesktopDepends.cmake\")
")
endif()
include(CPack)
