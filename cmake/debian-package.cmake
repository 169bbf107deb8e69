# Run by CPack between staging the files and building a package. For the
# .deb: the manual pages are compressed with gzip -9n, as Debian keeps them;
# the Debian changelog is added, compressed alike; and the example scripts
# are added below the documentation, their headers told for the package:
# run from there, with the program on the PATH, which prints UTF-8.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(PELTRIX_GZIP gzip REQUIRED)
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/peltrix")

function(compress file)
  execute_process(COMMAND ${PELTRIX_GZIP} -9nf ${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file} failed: ${status}")
  endif()
endfunction()

file(GLOB_RECURSE pages LIST_DIRECTORIES false "${root}/share/man/*.[1-9]")
if(NOT pages)
  message(FATAL_ERROR "No manual page to compress below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(page IN LISTS pages)
  compress(${page})
endforeach()

configure_file("${CPACK_PELTRIX_SOURCE_DIR}/doc/changelog.Debian" "${doc}/changelog.Debian" COPYONLY)
compress("${doc}/changelog.Debian")

set(examples "${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/peltrix/examples")
file(GLOB scripts "${CPACK_PELTRIX_SOURCE_DIR}/examples/*.sh")
foreach(script IN LISTS scripts)
  get_filename_component(name "${script}" NAME)
  file(READ "${script}" text)
  string(REPLACE "#   PELTRIX=build/release/peltrix examples/" "#   ${examples}/" text "${text}")
  string(REPLACE "#   examples/" "#   ${examples}/" text "${text}")
  string(REPLACE "# The program prints CP932: read its messages through `iconv -f CP932 -t UTF-8`."
                 "# The program of this package prints its messages in UTF-8." text "${text}")
  file(WRITE "${root}/share/doc/peltrix/examples/${name}" "${text}")
  if(name STREQUAL "common.sh")
    set(mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  else()
    set(mode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
  file(CHMOD "${root}/share/doc/peltrix/examples/${name}" PERMISSIONS ${mode})
endforeach()
