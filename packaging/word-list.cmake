# The word list that comes with Vorlaine, made when it is built (see
# make-word-list.cmake), and where it is installed: on Windows beside the
# programs, elsewhere in share/vorlaine. SCOWL's copyright notice goes with it.
# Included before Source/, whose window program finds the list from its own
# folder: VORLAINE_DATA_FROM_PROGRAM is the way there. Only the window uses it.

if(WIN32)
    set(VORLAINE_PROGRAM_DESTINATION .)
    set(VORLAINE_DATA_DESTINATION .)
else()
    include(GNUInstallDirs)
    set(VORLAINE_PROGRAM_DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(VORLAINE_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlaine)
endif()
file(RELATIVE_PATH VORLAINE_DATA_FROM_PROGRAM /${VORLAINE_PROGRAM_DESTINATION}
     /${VORLAINE_DATA_DESTINATION})
if(NOT VORLAINE_DATA_FROM_PROGRAM)
    set(VORLAINE_DATA_FROM_PROGRAM .)
endif()

if(NOT VORLAINE_BUILD_WINDOW)
    return()
endif()

set(VORLAINE_SCOWL_DIR /usr/share/dict/scowl CACHE PATH "SCOWL's word lists (Debian's package scowl)")
set(VORLAINE_SCOWL_COPYRIGHT /usr/share/doc/scowl/copyright
    CACHE FILEPATH "SCOWL's copyright notice")
if(NOT EXISTS ${VORLAINE_SCOWL_DIR}/english-words.10 OR NOT EXISTS ${VORLAINE_SCOWL_COPYRIGHT})
    message(FATAL_ERROR "The word list that comes with Vorlaine is made from SCOWL's lists; "
                        "install Debian's package scowl (scripts/setup does).")
endif()

# Where the window program in the build folder finds them, as once installed.
set(VORLAINE_WORD_LIST
    ${CMAKE_BINARY_DIR}/Source/window/${VORLAINE_DATA_FROM_PROGRAM}/wordlist.txt)
get_filename_component(VORLAINE_WORD_LIST ${VORLAINE_WORD_LIST} ABSOLUTE)
get_filename_component(word_list_folder ${VORLAINE_WORD_LIST} DIRECTORY)
set(VORLAINE_WORD_LIST_COPYRIGHT ${word_list_folder}/wordlist-copyright.txt)

add_custom_command(
    OUTPUT ${VORLAINE_WORD_LIST} ${VORLAINE_WORD_LIST_COPYRIGHT}
    COMMAND ${CMAKE_COMMAND} -DSCOWL_DIR=${VORLAINE_SCOWL_DIR} -DOUTPUT=${VORLAINE_WORD_LIST}
            -P ${CMAKE_CURRENT_LIST_DIR}/make-word-list.cmake
    COMMAND ${CMAKE_COMMAND} -E copy ${VORLAINE_SCOWL_COPYRIGHT} ${VORLAINE_WORD_LIST_COPYRIGHT}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-word-list.cmake
    COMMENT "Making the word list from SCOWL's lists"
    VERBATIM)
add_custom_target(vorlaine_word_list ALL
                  DEPENDS ${VORLAINE_WORD_LIST} ${VORLAINE_WORD_LIST_COPYRIGHT})
