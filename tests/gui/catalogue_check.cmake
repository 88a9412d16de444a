# Fails when a text of the window has no finished English translation, or when the catalogue
# keeps a text the sources no longer have: lupdate brings a copy of the catalogue up to date
# with the sources and marks those, and nothing may be marked. Fails too when a translation's
# placeholders (%1, %2...) are not its source's: a value it dropped would be lost.
# cmake -DLUPDATE=... -DSOURCES=src/gui -DCATALOGUE=res/i18n/gui_en.ts -DWORK=dir -P this
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${CATALOGUE} ${WORK}/gui_en.ts)
execute_process(COMMAND ${LUPDATE} -silent -locations none ${SOURCES} -ts ${WORK}/gui_en.ts
                RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "lupdate failed: ${errors}")
endif()
file(READ ${WORK}/gui_en.ts catalogue)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*<translation type=\"[a-z]+\"" marked
       "${catalogue}")
if(marked)
  list(LENGTH marked count)
  string(REPLACE ";" "\n" marked "${marked}")
  message(FATAL_ERROR
          "${count} texts of the window are untranslated, unfinished or gone from the sources; "
          "run `lupdate src/gui -ts res/i18n/gui_en.ts` and translate them:\n${marked}")
endif()

# A ';' would split CMake's list of messages.
string(REPLACE ";" "[semicolon]" catalogue "${catalogue}")
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation>[^<]*</translation>" pairs
       "${catalogue}")
set(wrong "")
foreach(pair IN LISTS pairs)
  string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" source "${pair}")
  string(REGEX REPLACE ".*<translation>([^<]*)</translation>$" "\\1" translation "${pair}")
  string(REGEX MATCHALL "%[0-9]+" want "${source}")
  string(REGEX MATCHALL "%[0-9]+" got "${translation}")
  list(REMOVE_DUPLICATES want)
  list(REMOVE_DUPLICATES got)
  list(SORT want)
  list(SORT got)
  if(NOT want STREQUAL got)
    string(APPEND wrong "\n${source} -> ${translation}")
  endif()
endforeach()
if(wrong)
  message(FATAL_ERROR "translations whose placeholders are not their sources':${wrong}")
endif()
