# cmake -DSCRIPT=scripts/update-translations -DTS=res/i18n/wakeburst_en.ts -DWORK=DIR -P ...
#
# Fails when a text of the sources has no finished English translation: runs the catalogue's
# update on a copy, then names every message that is new, unfinished, vanished or obsolete,
# and every translation whose placeholders (%1, %d, %s, ...) differ from its source's, since
# a value it dropped would be lost from the message.
cmake_minimum_required(VERSION 3.25)

file(MAKE_DIRECTORY "${WORK}")
set(copy "${WORK}/catalogue.ts")
file(COPY_FILE "${TS}" "${copy}")
execute_process(COMMAND "${SCRIPT}" "${copy}" RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "updating the catalogue failed:\n${out}")
endif()
file(READ "${copy}" ts)

set(problems "")
set(pos 0)
while(1)
  string(SUBSTRING "${ts}" ${pos} -1 rest)
  string(FIND "${rest}" "<message" start)
  if(start EQUAL -1)
    break()
  endif()
  string(FIND "${rest}" "</message>" end)
  math(EXPR len "${end} - ${start}")
  string(SUBSTRING "${rest}" ${start} ${len} message)
  math(EXPR pos "${pos} + ${end} + 10")
  string(REGEX MATCH "<source>([^<]*(<byte[^>]*>[^<]*)*)</source>" _ "${message}")
  set(source "${CMAKE_MATCH_1}")
  if(message MATCHES "<translation type=\"([a-z]+)\"")
    string(APPEND problems "${CMAKE_MATCH_1}: ${source}\n")
    continue()
  endif()
  string(REGEX MATCH "<translation>(.*)</translation>" _ "${message}")
  set(translation "${CMAKE_MATCH_1}")
  if(translation STREQUAL "")
    string(APPEND problems "no translation: ${source}\n")
    continue()
  endif()
  string(REGEX MATCHALL "%[0-9dsu]" want "${source}")
  string(REGEX MATCHALL "%[0-9dsu]" got "${translation}")
  list(SORT want)
  list(SORT got)
  if(NOT want STREQUAL got)
    string(APPEND problems "placeholders ${got} instead of ${want}: ${source}\n")
  endif()
endwhile()
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "the English catalogue is not complete (scripts/update-translations, "
                      "then translate):\n${problems}")
endif()
