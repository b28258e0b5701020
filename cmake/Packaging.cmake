# The Debian package: cpack -G DEB in the build folder makes eKalCfg_<version>_<arch>.deb.
if(NOT (UNIX AND NOT APPLE))
  return()
endif()

set(CPACK_PACKAGE_NAME eKalCfg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor of KalCfg.ini, the database configuration of the Kalvor suite")
set(CPACK_PACKAGE_DESCRIPTION
    "The administrator sees and changes the whole KalCfg.ini in one window: the default\n"
    "server and database directory, the system databases, and one page per application\n"
    "of the suite. Lines it does not change are kept byte for byte.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
if(NOT CPACK_PACKAGE_CONTACT)
  set(CPACK_PACKAGE_CONTACT "eKalCfg developers")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

# Debian names packages in lower case; the file keeps the program's own name.
set(CPACK_DEBIAN_PACKAGE_NAME ekalcfg)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
find_program(DPKG_PROGRAM dpkg)
if(DPKG_PROGRAM)
  execute_process(COMMAND ${DPKG_PROGRAM} --print-architecture
                  OUTPUT_VARIABLE EKALCFG_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${EKALCFG_DEB_ARCH})
  set(CPACK_DEBIAN_FILE_NAME "eKalCfg_${PROJECT_VERSION}_${EKALCFG_DEB_ARCH}.deb")
endif()
# The libraries the program links against give the dependencies (dpkg-shlibdeps).
# What it loads at run time they cannot show: Qt's platform plugins (no window
# without them) and the fonts the window was laid out for; Qt's Bulgarian
# translation only turns the standard boxes' buttons into Bulgarian.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
