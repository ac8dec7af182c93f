# The desktop entry opens *.ZTV files: the shared-mime-info package names the type for both
# spellings of the extension, and the entry claims that type and takes the file as %f.
# Run with -DSOURCE_DIR=... -DWORK_DIR=... -DUPDATE_MIME=...
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/mime/packages")
configure_file("${SOURCE_DIR}/packaging/ztv-setup-mime.xml" "${WORK_DIR}/mime/packages/ztv-setup.xml" COPYONLY)
execute_process(COMMAND "${UPDATE_MIME}" "${WORK_DIR}/mime" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR err MATCHES "[Ee]rror|[Ww]arning")
  message(FATAL_ERROR "update-mime-database refused the package file: ${rc} ${err}")
endif()
file(READ "${WORK_DIR}/mime/globs2" globs)
if(NOT globs MATCHES "application/x-zeb-tervio-config:\\*\\.ztv")
  message(FATAL_ERROR "no *.ztv glob for the configuration type in:\n${globs}")
endif()
# Globs without case-sensitive="true" match any case, so *.ZTV needs no line of its own.
if(globs MATCHES "application/x-zeb-tervio-config:[^\n]*:cs")
  message(FATAL_ERROR "the *.ztv glob must not be case-sensitive:\n${globs}")
endif()

file(READ "${SOURCE_DIR}/packaging/ztv-setup.desktop" entry)
if(NOT entry MATCHES "\nExec=ztv-setup %f\n")
  message(FATAL_ERROR "the desktop entry does not pass the file: ${entry}")
endif()
if(NOT entry MATCHES "\nMimeType=application/x-zeb-tervio-config;\n")
  message(FATAL_ERROR "the desktop entry does not claim the configuration type: ${entry}")
endif()
