# Includes point down only. Two things keep them so:
#
# - Include roots: wakeburst_layer_root() gives a library an include directory that holds its
#   own folder of src/ alone, so "<folder>/x.h" is found only by what links that library.
# - The include check: every compile of src/ runs through cmake/WakeburstIncludeCheck.cmake,
#   which reads what the compiler read (its dependency file) and fails the compile, naming
#   the file and line, when a file of a layer reached a file of a layer it must not reach,
#   however the include was spelt ("../", <angle>, an include root, an absolute path).
#
# The layers, each a folder of src/, and what each may reach besides itself: "core" stands
# for every folder of the core, "Qt" for Qt's headers. Files of the build tree (moc's, rcc's)
# are open to all; any other file of the source tree (tests/, res/, ...) to none.
set(WAKEBURST_LAYERS "")
macro(wakeburst_layer folder)
  list(APPEND WAKEBURST_LAYERS ${folder})
  set(WAKEBURST_REACH_${folder} ${folder} ${ARGN})
endmacro()
wakeburst_layer(core/base core/platform)
wakeburst_layer(core/platform core/base)
wakeburst_layer(core/wake core/base core/platform)
wakeburst_layer(core/hostlist core/base core/platform core/wake)
wakeburst_layer(core/alarm core/base core/platform core/wake core/hostlist)
wakeburst_layer(cli core)
wakeburst_layer(gui/common core Qt)
wakeburst_layer(gui/dialogs core Qt gui/common)
wakeburst_layer(gui/shell core Qt gui/common gui/dialogs)

# wakeburst_layer_root(TARGET NAME): the current source directory becomes reachable as
# "NAME/..." through an include root that holds nothing else.
function(wakeburst_layer_root target name)
  set(root ${CMAKE_CURRENT_BINARY_DIR}/include)
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# wakeburst_check_includes(): every C++ compile of targets made after this call in the
# current directory and below goes through the include check. Qt's include directories are
# taken from Qt6::Core when Qt has been found (src/ looks for it before it adds the core).
function(wakeburst_check_includes)
  set(rules ${PROJECT_BINARY_DIR}/wakeburst_layers.cmake)
  # Real paths: the check compares them with the real paths of the files read.
  file(REAL_PATH ${PROJECT_SOURCE_DIR} source_dir)
  file(REAL_PATH ${PROJECT_BINARY_DIR} binary_dir)
  set(text "set(source_dir [[${source_dir}]])\nset(binary_dir [[${binary_dir}]])\n")
  # Where a file may have been opened through a link: the trees as named and as they are.
  set(trees ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ${source_dir} ${binary_dir})
  list(REMOVE_DUPLICATES trees)
  string(APPEND text "set(trees [[${trees}]])\n")
  string(APPEND text "set(layers [[${WAKEBURST_LAYERS}]])\n")
  foreach(folder IN LISTS WAKEBURST_LAYERS)
    string(APPEND text "set(reach_${folder} [[${WAKEBURST_REACH_${folder}}]])\n")
  endforeach()
  set(qt_dirs "")
  if(TARGET Qt6::Core)
    get_target_property(dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS dirs)
      # The Qt root and its module folders; mkspecs holds no header of Qt's own.
      if(NOT dir MATCHES "[$]<|mkspecs" AND IS_DIRECTORY ${dir})
        file(REAL_PATH ${dir} real)
        list(APPEND qt_dirs ${real})
      endif()
    endforeach()
  endif()
  string(APPEND text "set(qt_dirs [[${qt_dirs}]])\n")
  file(CONFIGURE OUTPUT ${rules} CONTENT "${text}" @ONLY)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -DWAKEBURST_RULES=${rules} -P
      ${PROJECT_SOURCE_DIR}/cmake/WakeburstIncludeCheck.cmake -- ${CMAKE_CXX_COMPILER_LAUNCHER}
      PARENT_SCOPE)
endfunction()
