# Run by CPack on the Debian package's staged tree before it is packed: moves the program
# to games/, as Debian wants of a package in section games, adds the change log (named
# as a package without a Debian revision names it) and compresses it and the manual
# pages as Debian does (gzip -9n: no name or time in the header, so the package is the
# same from build to build).

# Only CPACK_* variables reach this script (cmake/Packaging.cmake sets the CORVALD ones).
# Other generators (`cpack -G TGZ`) keep the tree as `cmake --install` lays it out.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(tree ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT IS_DIRECTORY ${tree})
  message(FATAL_ERROR "No staged package tree at ${tree}")
endif()

file(MAKE_DIRECTORY ${tree}/games)
file(RENAME ${tree}/${CPACK_CORVALD_BINDIR}/corvald ${tree}/games/corvald)
file(GLOB left ${tree}/${CPACK_CORVALD_BINDIR}/*)
if(NOT left)
  file(REMOVE_RECURSE ${tree}/${CPACK_CORVALD_BINDIR})
endif()

configure_file(${CPACK_CORVALD_CHANGELOG_TEMPLATE} ${tree}/${CPACK_CORVALD_DOCDIR}/changelog @ONLY)

file(GLOB_RECURSE pages ${tree}/${CPACK_CORVALD_MANDIR}/*.[1-9])
foreach(file IN LISTS pages ITEMS ${tree}/${CPACK_CORVALD_DOCDIR}/changelog)
  execute_process(COMMAND gzip -9nf ${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file} failed: ${status}")
  endif()
endforeach()
