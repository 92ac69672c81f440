# What `cpack` makes of the install rules: a Debian package on Linux, a ZIP of the flat program
# folder on Windows. `scripts/zam package` builds the Debian one.
set(ZAM_PACKAGE_CONTACT "ZAMDeck developers" CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME zamdeck)
set(CPACK_PACKAGE_VENDOR "ZAMDeck")
set(CPACK_PACKAGE_CONTACT "${ZAM_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Front end and loader for the racing simulator Grand Prix Legends")
set(CPACK_PACKAGE_DESCRIPTION
    "ZAMDeck finds a Grand Prix Legends installation (also inside a Wine prefix), edits its\n\
settings, seasons, car setups and engines, and launches the simulator through its small loader\n\
Rollout, which records the time spent racing and brings the front end back. The command-line\n\
tool zamini reads and writes the same settings, engine tables and setup indexes.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ZAMDeck)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  # The folder in the archive; its programs keep their files beside themselves.
  set(CPACK_PACKAGE_FILE_NAME "ZAMDeck-${PROJECT_VERSION}-windows-x64")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  # The libraries the programs link, as dpkg-shlibdeps finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The simulator is a Windows program: on Linux it runs through wine, but ZAMDeck also edits an
  # installation without ever launching it.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)
endif()

include(CPack)
