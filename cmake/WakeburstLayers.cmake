# Checks at configure time that includes point down only: the core includes no Qt and
# nothing of the tool or the desktop program; the CLI nothing of the desktop program;
# gui/common nothing of dialogs/ or shell/; gui/dialogs nothing of shell/.
function(wakeburst_check_layer folder)
  file(GLOB_RECURSE sources ${PROJECT_SOURCE_DIR}/src/${folder}/*.h
       ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      foreach(forbidden IN LISTS ARGN)
        if(line MATCHES "${forbidden}")
          file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${source})
          message(FATAL_ERROR "${rel} reaches up a layer: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

wakeburst_check_layer(core "<Q[A-Za-z]*>" "\"(common|dialogs|shell|cli|gui)/")
wakeburst_check_layer(cli "<Q[A-Za-z]*>" "\"(common|dialogs|shell|gui)/")
wakeburst_check_layer(gui/common "\"(dialogs|shell|cli)/")
wakeburst_check_layer(gui/dialogs "\"(shell|cli)/")
wakeburst_check_layer(gui/shell "\"cli/")
