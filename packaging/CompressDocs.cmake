# Run by cpack on its staging folder before the package is made: Debian
# keeps manual pages and changelogs gzip-compressed (-9, no name or time
# stamp, so two builds give the same bytes).
file(GLOB_RECURSE uncompressed
  ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/*.[0-9]
  ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/carrowmoor/changelog)
foreach(file ${uncompressed})
  execute_process(COMMAND gzip -9nf ${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${file} failed")
  endif()
endforeach()
