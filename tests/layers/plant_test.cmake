# Plants each include of tests/data/layers/plants.cases into a scratch copy of the project
# and builds the one file it went into: the build must fail, naming that file and line.
#   cmake -DSOURCE=<project> -DSCRATCH=<dir> -DCASES=<table> -DGUI=<ON|OFF>
#         -DCOMPILER=<c++> -DLAUNCHER=<launcher list, may be empty> -P plant_test.cmake
# Needs Ninja, whose "file^" builds the object of one source file and nothing else.
cmake_policy(VERSION 3.25)

set(tree ${SCRATCH}/project)
set(build ${SCRATCH}/build)
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${tree})
foreach(part CMakeLists.txt cmake src res)
  file(COPY ${SOURCE}/${part} DESTINATION ${tree})
endforeach()

# Only the file planted in is compiled: moc waits for no library of the layers below.
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${tree} -B ${build} -G Ninja -DCMAKE_BUILD_TYPE=Debug
          -DCMAKE_CXX_COMPILER=${COMPILER} "-DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}"
          -DWAKEBURST_BUILD_TESTS=OFF -DWAKEBURST_BUILD_BENCH=OFF -DWAKEBURST_BUILD_GUI=${GUI}
          -DCMAKE_AUTOGEN_ORIGIN_DEPENDS=OFF
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the scratch project does not configure:\n${out}")
endif()

# Without Qt on this machine an include of Qt's is refused by the compiler alone.
include(${build}/wakeburst_layers.cmake)

file(STRINGS ${CASES} rows REGEX "^[^#].*[|]")
set(failures "")
foreach(row IN LISTS rows)
  string(REGEX MATCH "^([^|]*)[|]([^|]*)[|]([^|]*)[|](.*)$" row "${row}")
  string(STRIP "${CMAKE_MATCH_1}" label)
  string(STRIP "${CMAKE_MATCH_2}" file)
  string(STRIP "${CMAKE_MATCH_3}" planted)
  string(STRIP "${CMAKE_MATCH_4}" expected)
  if(NOT GUI AND file MATCHES "^gui/")
    message(STATUS "${label}: skipped, no desktop program in this build")
    continue()
  endif()
  if(NOT qt_dirs AND planted MATCHES "<Qt")
    message(STATUS "${label}: skipped, no Qt on this machine")
    continue()
  endif()
  string(REPLACE "@SRC@" "${tree}/src" planted "${planted}")
  set(path ${tree}/src/${file})
  file(READ ${path} original)
  string(FIND "${original}" "\n" eol)
  string(SUBSTRING "${original}" 0 ${eol} first)
  math(EXPR eol "${eol} + 1")
  string(SUBSTRING "${original}" ${eol} -1 rest)
  file(WRITE ${path} "${first}\n${planted}\n${rest}")
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} --target ${path}^
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(WRITE ${path} "${original}")
  string(REPLACE "." "[.]" where "src/${file}:2:")
  string(REGEX MATCHALL "[^\n]*${where}[^\n]*" told "${out}")
  set(named FALSE)
  foreach(line IN LISTS told)
    string(FIND "${line}" "src/${file}:2:${expected}" at)
    string(FIND "${line}" "src/${file}:2: ${expected}" spaced)
    if(at GREATER -1 OR spaced GREATER -1)
      set(named TRUE)
    endif()
  endforeach()
  if(status EQUAL 0)
    list(APPEND failures "${label}: the build of src/${file} succeeded")
  elseif(NOT named)
    list(APPEND failures "${label}: no \"src/${file}:2: ${expected}\" in:\n${out}")
  else()
    message(STATUS "${label}: refused")
  endif()
endforeach()
if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${failures}")
endif()
