# Fails when a text of the window has no finished English translation, or when the catalogue
# keeps a text the sources no longer have: lupdate brings a copy of the catalogue up to date
# with the sources and marks those, and nothing may be marked.
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
