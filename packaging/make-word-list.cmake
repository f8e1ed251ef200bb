# Makes the word list that comes with Vorlaine from the lists of SCOWL
# (Debian's package scowl), as a script:
#
#   cmake -DSCOWL_DIR=/usr/share/dict/scowl -DOUTPUT=wordlist.txt -P make-word-list.cmake
#
# It takes SCOWL's English and American words of the sizes up to 60 (SCOWL's
# own advice for a spelling dictionary: common words, few obscure ones) with
# their common variant spellings, and leaves out its lists of proper names,
# abbreviations and contractions; of what is left, every entry that holds
# anything but lower-case letters (a possessive such as angle's, a capital, a
# digit, a full stop, a blank or a hyphen). The words are sorted, each once.

set(sizes 10 20 35 40 50 55 60)
set(kinds english-words american-words variant_1-words)

set(words)
foreach(kind ${kinds})
    foreach(size ${sizes})
        set(file ${SCOWL_DIR}/${kind}.${size})
        if(EXISTS ${file})
            file(STRINGS ${file} lines ENCODING UTF-8)
            list(APPEND words ${lines})
        endif()
    endforeach()
endforeach()
if(NOT words)
    message(FATAL_ERROR "no SCOWL word lists in ${SCOWL_DIR}; install Debian's package scowl")
endif()
# Every ASCII character but a to z; the letters beyond ASCII (é of café) stay.
list(FILTER words EXCLUDE REGEX "[ -`{-~]")
list(SORT words)
list(REMOVE_DUPLICATES words)
list(JOIN words "\n" text)
file(WRITE ${OUTPUT} "${text}\n")
