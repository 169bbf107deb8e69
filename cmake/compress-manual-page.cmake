# Run by CPack between staging the files and building a package: for the .deb
# the manual pages are compressed with gzip -9n, as Debian keeps them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(PELTRIX_GZIP gzip REQUIRED)
file(GLOB_RECURSE pages LIST_DIRECTORIES false
     "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/man/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND ${PELTRIX_GZIP} -9nf ${page} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${page} failed: ${status}")
  endif()
endforeach()
if(NOT pages)
  message(FATAL_ERROR "No manual page to compress below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
