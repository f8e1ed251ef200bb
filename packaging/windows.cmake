# Installing Vorlaine on Windows and packing it: one folder with the two
# programs and everything they need (Qt's libraries and plugins, the MinGW
# runtime), as a zip and as an NSIS installer with a Start-menu entry and an
# uninstaller. Included by packaging/CMakeLists.txt in place of the Debian part.

# --- The programs and what they load ------------------------------------------

set(app_targets makewords)
if(TARGET vorlaine)
    list(APPEND app_targets vorlaine)
endif()
# Everything lands in the top folder: Windows finds a program's libraries
# beside it, and Qt its plugins in folders beside its own library.
install(TARGETS ${app_targets} RUNTIME DESTINATION ${VORLAINE_PROGRAM_DESTINATION})

set(qt_libraries Qt6::Core)
if(TARGET vorlaine)
    list(APPEND qt_libraries Qt6::Gui Qt6::Widgets)
endif()
foreach(library ${qt_libraries})
    install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
if(TARGET vorlaine)
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
    # The window's word list, with SCOWL's copyright notice.
    install(FILES ${VORLAINE_WORD_LIST} ${VORLAINE_WORD_LIST_COPYRIGHT}
            DESTINATION ${VORLAINE_DATA_DESTINATION})
endif()

# The MinGW runtime that the programs and Qt are linked with, from the compiler
# that built them.
set(runtime_libraries)
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know the runtime library ${name}")
    endif()
    list(APPEND runtime_libraries "${path}")
    install(FILES "${path}" DESTINATION .)
endforeach()
# Only targets are stripped by an install with --strip (and so by CPack); the
# runtime libraries are stripped here in the same case.
if(CMAKE_STRIP)
    foreach(path ${runtime_libraries})
        get_filename_component(name "${path}" NAME)
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${name}\")
            endif()")
    endforeach()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# --- The zip and the installer: cpack, or the "package" target ----------------

set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP NSIS)
# The installer's name gets "-setup"; see windows-cpack.cmake.
set(CPACK_PACKAGE_FILE_NAME vorlaine-${VORLAINE_VERSION_TEXT}-windows-x64)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/windows-cpack.cmake)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Vorlaine)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Vorlaine)

# Qt 6 runs on 64-bit Windows only, and so does the installer: it installs
# into the 64-bit Program Files, and runs under a wine without 32-bit support.
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_PACKAGE_NAME Vorlaine)
set(CPACK_NSIS_DISPLAY_NAME Vorlaine)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/Source/window/vorlaine.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/Source/window/vorlaine.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME vorlaine.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_PACKAGE_HOMEPAGE_URL})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu entry, and a desktop shortcut when the installer is told so,
# start the window in the user's documents (--documents), from a working
# folder that is not Program Files: $DOCUMENTS, the public documents for an
# installation for all users. The shortcuts take the program's icon. NSIS's
# single quotes, and doubled backslashes: CPack writes these values into its
# configuration file as they stand, where a double quote would end them and a
# backslash escapes.
set(VORLAINE_NSIS_SHORTCUT
    "'$INSTDIR\\vorlaine.exe' '--documents' '$INSTDIR\\vorlaine.exe' 0")
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetOutPath '$DOCUMENTS'
  CreateShortCut '$SMPROGRAMS\\$STARTMENU_FOLDER\\Vorlaine.lnk' ${VORLAINE_NSIS_SHORTCUT}
  MessageBox MB_YESNO|MB_ICONQUESTION 'Put a Vorlaine shortcut on the desktop?' /SD IDNO IDNO +2
    CreateShortCut '$DESKTOP\\Vorlaine.lnk' ${VORLAINE_NSIS_SHORTCUT}
  SetOutPath '$INSTDIR'
")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete '$SMPROGRAMS\\$MUI_TEMP\\Vorlaine.lnk'
  Delete '$DESKTOP\\Vorlaine.lnk'
")

include(CPack)
