# Run by cpack: the Depends of kavrel-desktop, the libraries of the module built
# (KAVREL_DESKTOP_MODULE) as dpkg-shlibdeps finds them, in a scratch folder of KAVREL_DEBIAN_DIR.
set(work "${KAVREL_DEBIAN_DIR}/shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
file(TOUCH "${work}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O "${KAVREL_DESKTOP_MODULE}"
                WORKING_DIRECTORY "${work}" RESULT_VARIABLE failed
                OUTPUT_VARIABLE found ERROR_VARIABLE why)
if(failed OR NOT found MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no libraries of ${KAVREL_DESKTOP_MODULE}: ${why}")
endif()
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
