# Read by cpack for each generator: the installer is named
# vorlaine-VERSION-windows-x64-setup.exe beside the zip's
# vorlaine-VERSION-windows-x64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
