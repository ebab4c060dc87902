# The release package for Windows users: the two programs, the install script
# and a short guide, as vando-batch-<version>-win32.zip.
configure_file(${PROJECT_SOURCE_DIR}/docs/guide.txt ${PROJECT_BINARY_DIR}/package/vando-batch-guide.txt
               NEWLINE_STYLE WIN32)
install(TARGETS batchrecorder vando_batchrunner RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/install.cmd ${PROJECT_BINARY_DIR}/package/vando-batch-guide.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vando-batch)
set(CPACK_PACKAGE_VENDOR "vando batch")
set(CPACK_PACKAGE_FILE_NAME vando-batch-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
