# Installs the build in BUILD_DIR under PREFIX, as "cmake --install" does for a
# user, and checks the tree: exactly the expected files, programs that run,
# manual pages that man can show, and a menu entry, icons and metainfo that the
# freedesktop validators accept as a whole. GZ is ".gz" when the manual pages
# and the changelog are compressed, empty when not.

function(fail)
    string(JOIN "" text ${ARGN})
    message(FATAL_ERROR "${text}")
endfunction()

function(run)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "OUTPUT;WORKING_DIRECTORY" "COMMAND")
    if(NOT arg_WORKING_DIRECTORY)
        set(arg_WORKING_DIRECTORY ${PREFIX})
    endif()
    execute_process(COMMAND ${arg_COMMAND}
                    WORKING_DIRECTORY ${arg_WORKING_DIRECTORY}
                    RESULT_VARIABLE result
                    OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        fail("${arg_COMMAND}\nexit status: ${result}\n${output}${errors}")
    endif()
    if(arg_OUTPUT)
        set(${arg_OUTPUT} "${output}" PARENT_SCOPE)
        set(${arg_OUTPUT}_ERRORS "${errors}" PARENT_SCOPE)
    endif()
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} WORKING_DIRECTORY ${BUILD_DIR})

# --- Exactly these files, nothing missing and nothing more ---

set(man_pages makewords.1${GZ})
set(expected
    ${BINDIR}/makewords
    ${DATADIR}/bash-completion/completions/makewords
    share/doc/vorlaine/changelog${GZ}
    share/doc/vorlaine/copyright)
if(WITH_WINDOW)
    list(APPEND man_pages vorlaine.1${GZ})
    list(APPEND expected
         ${BINDIR}/vorlaine
         ${DATADIR}/applications/${APP_ID}.desktop
         ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
         ${DATADIR}/icons/hicolor/16x16/apps/${APP_ID}.png
         ${DATADIR}/icons/hicolor/32x32/apps/${APP_ID}.png
         ${DATADIR}/icons/hicolor/48x48/apps/${APP_ID}.png
         ${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg
         ${DATADIR}/vorlaine/wordlist.txt
         ${DATADIR}/vorlaine/wordlist-copyright.txt)
endif()
list(TRANSFORM man_pages PREPEND ${MANDIR}/man1/ OUTPUT_VARIABLE man_page_paths)
list(APPEND expected ${man_page_paths})
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n  " expected_text "${expected}")
    string(REPLACE ";" "\n  " installed_text "${installed}")
    fail("The installed files differ from the expected ones.\nexpected:\n  ${expected_text}\ninstalled:\n  ${installed_text}")
endif()

# --- Each PNG icon has the size of its folder ---

if(WITH_WINDOW)
    foreach(size 16 32 48)
        set(icon ${PREFIX}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
        file(READ ${icon} header LIMIT 24 HEX)
        math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${hex_size}" 2 -1 hex_size)
        string(LENGTH "${hex_size}" length)
        math(EXPR pad "8 - ${length}")
        string(REPEAT "0" ${pad} zeros)
        # The signature, the IHDR chunk's length and name, then width and height.
        set(want "89504e470d0a1a0a0000000d49484452${zeros}${hex_size}${zeros}${hex_size}")
        if(NOT header STREQUAL want)
            fail("${icon} is not a ${size} x ${size} PNG image: ${header}")
        endif()
    endforeach()
endif()

# --- The installed makewords runs: its version, then a small search ---

run(COMMAND ${PREFIX}/${BINDIR}/makewords --version OUTPUT version)
if(NOT version STREQUAL "makewords ${VERSION_TEXT}\n")
    fail("makewords --version printed '${version}', not 'makewords ${VERSION_TEXT}'")
endif()

set(work ${PREFIX}/../install-test-run)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(WRITE ${work}/three.txt "angle\nzebra\ngent\n")
run(COMMAND ${PREFIX}/${BINDIR}/makewords --seed TANGLE --list three.txt --output found.txt
    WORKING_DIRECTORY ${work} OUTPUT found)
# Read as hex: a plain file(READ) would drop the CRs of the lines' CR LF.
file(READ ${work}/found.txt written HEX)
string(HEX "angle\r\ngent\r\n" want)
if(NOT found STREQUAL "angle\ngent\n" OR NOT written STREQUAL want)
    fail("makewords printed '${found}' and wrote ${written} (in hex), not angle and gent")
endif()
file(REMOVE_RECURSE ${work})

# --- man shows the installed pages without a warning, with the version ---

find_program(MAN man)
if(NOT MAN)
    fail("man is needed to check the installed manual pages")
endif()
set(ENV{MANWIDTH} 80)
string(REPLACE "." "\\." version_pattern "${VERSION_TEXT}")
foreach(page ${man_pages})
    string(REGEX REPLACE "\\..*" "" title ${page})
    string(TOUPPER ${title} title)
    run(COMMAND ${MAN} --warnings -l ${PREFIX}/${MANDIR}/man1/${page} OUTPUT shown)
    # The page ends with its footer: the version, the date and the title again.
    if(NOT shown_ERRORS STREQUAL "" OR NOT shown MATCHES "^${title}\\(1\\)"
       OR NOT shown MATCHES "SEE ALSO"
       OR NOT shown MATCHES "\nVorlaine ${version_pattern} +[0-9-]+ +${title}\\(1\\)\n$")
        fail("man did not show the installed ${page} cleanly, with the version ${VERSION_TEXT}:\n"
             "${shown_ERRORS}\n${shown}")
    endif()
endforeach()

# --- The menu entry, icon and metainfo as a whole ---

if(WITH_WINDOW)
    run(COMMAND desktop-file-validate ${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop OUTPUT entry)
    if(NOT entry STREQUAL "" OR NOT entry_ERRORS STREQUAL "")
        fail("desktop-file-validate:\n${entry}${entry_ERRORS}")
    endif()
    run(COMMAND appstreamcli validate-tree --no-net --strict ${PREFIX} OUTPUT tree)
endif()
