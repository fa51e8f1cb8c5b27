# Installation and packages.
#
#   cmake --install build --prefix P    bin/corvald, the manual page, the bash completion
#                                       and share/doc/corvald (README, copyright)
#   cpack -G DEB (in a Release build)   corvald_<version>_<arch>.deb, section games
#   cpack (in the mingw-w64 build)      corvald-<version>-windows-x86_64.zip: corvald.exe,
#                                       README.txt and LICENSES.txt
#
# The texts live in doc/ and packaging/; the build stamps the project version into them.

set(corvald_packaging_dir ${CMAKE_SOURCE_DIR}/packaging)
set(corvald_generated_dir ${CMAKE_BINARY_DIR}/packaging)

set(CPACK_PACKAGE_NAME corvald)
set(CPACK_PACKAGE_VENDOR "Arvelin Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Texas hold'em odds assistant for the text console")
set(CPACK_PACKAGE_DESCRIPTION
  "Corvald follows a hand of Texas hold'em as it is played at a real table:
you type the players, the blinds, every move and the cards, and after every
event it redraws a coloured 58 x 60 character table with the stakes round by
round and a Monte Carlo column of your chances of winning against every
number of opponents.
.
It also replays PokerStars hand histories through the same table, prints
the chances for one situation on the command line, and writes session
statistics as CSV files.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # The Windows zip: the program and two texts with Windows line ends, in one folder.
  install(TARGETS corvald RUNTIME DESTINATION .)
  configure_file(${corvald_packaging_dir}/windows/README.txt.in
                 ${corvald_generated_dir}/README.txt @ONLY NEWLINE_STYLE CRLF)
  # The notices of the libraries compiled in, then those of the statically linked runtime.
  file(READ ${corvald_packaging_dir}/copyright corvald_notices)
  file(READ ${corvald_packaging_dir}/windows/runtime-notices.txt corvald_runtime_notices)
  string(REPLACE "\n" "\r\n" corvald_licences "${corvald_notices}${corvald_runtime_notices}")
  file(WRITE ${corvald_generated_dir}/LICENSES.txt "${corvald_licences}")
  install(FILES ${corvald_generated_dir}/README.txt ${corvald_generated_dir}/LICENSES.txt
          DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)

install(TARGETS corvald RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${CMAKE_SOURCE_DIR}/doc/corvald.1.in ${corvald_generated_dir}/corvald.1 @ONLY)
install(FILES ${corvald_generated_dir}/corvald.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${corvald_packaging_dir}/corvald.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME corvald)

install(FILES ${CMAKE_SOURCE_DIR}/README.md ${corvald_packaging_dir}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. Its dependencies are read off the libraries the program links
# (dpkg-shlibdeps). Debian wants a change log in the package, its manual pages
# compressed and, in section games, the program in /usr/games: the script below does
# all three in the package's tree only, so that `cmake --install` keeps bin/ and the
# plain manual page.
set(CPACK_GENERATOR DEB)
set(CORVALD_PACKAGE_MAINTAINER "Arvelin Software <corvald@arvelin-software.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CORVALD_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_CORVALD_CHANGELOG_TEMPLATE ${corvald_packaging_dir}/changelog.in)
set(CPACK_CORVALD_DOCDIR ${CMAKE_INSTALL_DOCDIR})
set(CPACK_CORVALD_MANDIR ${CMAKE_INSTALL_MANDIR})
set(CPACK_CORVALD_BINDIR ${CMAKE_INSTALL_BINDIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebianPackageTree.cmake)
include(CPack)
