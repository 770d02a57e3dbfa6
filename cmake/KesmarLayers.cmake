# The layer rule, enforced by the compiler (see CONVENTIONS.md, "Layers").
#
# Every library of src/ exports an include root of its own in the build
# folder that holds symlinks to the headers of its own folder only. A library
# therefore sees its own headers and those of the libraries it links, and it
# may link only libraries of a lower layer (configure error otherwise); so an
# include of a folder above, or beside in the plain layers, finds no file.
# The plain layers (core, chartdata, nmea, weather) and the command-line
# tools also get a guard folder in front of the include path in which every
# Qt Widgets header, in each spelling that would otherwise reach it, is a
# file that stops the compiler with an #error.

set(KESMAR_PLAIN_FOLDERS core chartdata nmea weather)
set(KESMAR_WIDGET_MODULES Qt6::Widgets Qt6::PrintSupport Qt6::OpenGLWidgets)

# 0 for core, 1 for the other plain folders, 2 for the widget folders.
function(kesmar_layer_of folder out)
  if(folder STREQUAL "core")
    set(${out} 0 PARENT_SCOPE)
  elseif(folder IN_LIST KESMAR_PLAIN_FOLDERS)
    set(${out} 1 PARENT_SCOPE)
  else()
    set(${out} 2 PARENT_SCOPE)
  endif()
endfunction()

# The guard folder: QtWidgets/X, qt6/QtWidgets/X and the bare X for every
# header X of the Qt Widgets module (bare names also found in QtCore, QtGui or
# QtNetwork are left out, they are not widget headers).
function(kesmar_widget_guard out)
  set(guard ${CMAKE_BINARY_DIR}/layer-guard)
  set(${out} ${guard}/prefixed ${guard}/bare PARENT_SCOPE)
  if(EXISTS ${guard}/done)
    return()
  endif()
  get_target_property(dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
  set(widgetDir)
  foreach(d ${dirs})
    if(d MATCHES "/QtWidgets$")
      set(widgetDir ${d})
    endif()
  endforeach()
  if(NOT widgetDir)
    message(FATAL_ERROR "Qt Widgets include folder not found")
  endif()
  get_filename_component(qtRoot ${widgetDir} DIRECTORY)
  file(GLOB headers RELATIVE ${widgetDir} ${widgetDir}/*)
  set(text "#error \"Qt Widgets header in a plain layer or a tool: widgets belong in ui/, view, miniwin, settings or app\"\n")
  foreach(h ${headers} QtWidgets)
    if(IS_DIRECTORY ${widgetDir}/${h})
      continue()
    endif()
    file(WRITE ${guard}/prefixed/QtWidgets/${h} "${text}")
    file(WRITE ${guard}/prefixed/qt6/QtWidgets/${h} "${text}")
    if(NOT EXISTS ${qtRoot}/QtCore/${h} AND NOT EXISTS ${qtRoot}/QtGui/${h}
       AND NOT EXISTS ${qtRoot}/QtNetwork/${h})
      file(WRITE ${guard}/bare/${h} "${text}")
    endif()
  endforeach()
  file(WRITE ${guard}/done "")
endfunction()

function(kesmar_add_widget_guard target)
  kesmar_widget_guard(guard)
  target_include_directories(${target} BEFORE PRIVATE ${guard})
endfunction()

# The include root of one src/ folder: symlinks to its headers, refreshed
# whenever a header comes or goes (CONFIGURE_DEPENDS).
function(kesmar_include_root name folder out)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  set(dest ${root}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
    ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${dest})
  foreach(h ${headers})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${h} ${dest}/${h} SYMBOLIC)
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# Links of a src/ library: only libraries added before it and of a lower
# layer (widget folders may link earlier widget folders); no Qt Widgets
# module in the plain layers.
function(kesmar_check_links name folder)
  kesmar_layer_of(${folder} layer)
  foreach(lib ${ARGN})
    if(lib IN_LIST KESMAR_WIDGET_MODULES AND layer LESS 2)
      message(FATAL_ERROR "${name} (src/${folder}) is a plain layer and must not link ${lib}")
    endif()
    if(NOT lib MATCHES "^kesmar_")
      continue()
    endif()
    if(NOT TARGET ${lib})
      message(FATAL_ERROR "${name} links ${lib}, which is not a folder below src/${folder}")
    endif()
    get_target_property(otherFolder ${lib} KESMAR_FOLDER)
    kesmar_layer_of(${otherFolder} otherLayer)
    if(NOT otherLayer LESS layer AND NOT (layer EQUAL 2 AND otherLayer EQUAL 2))
      message(FATAL_ERROR "${name} (src/${folder}) must not link ${lib} (src/${otherFolder}): not below it")
    endif()
  endforeach()
endfunction()

# Every target of tools/ (recursively): no widget library in its link closure
# unless its folder sets KESMAR_WINDOW_PROGRAM (a tool that is a window
# program); the others get the widget guard.
function(kesmar_check_tools dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  get_property(window DIRECTORY ${dir} PROPERTY KESMAR_WINDOW_PROGRAM)
  if(window)
    file(RELATIVE_PATH tool ${PROJECT_SOURCE_DIR}/tools ${dir})
    set_property(GLOBAL APPEND PROPERTY KESMAR_WINDOW_TOOLS ${tool})
  endif()
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(window OR NOT type MATCHES "EXECUTABLE|LIBRARY")
      continue()
    endif()
    get_target_property(links ${t} LINK_LIBRARIES)
    foreach(lib ${links})
      if(lib IN_LIST KESMAR_WIDGET_MODULES)
        message(FATAL_ERROR "tool target ${t} must not link ${lib}")
      endif()
      if(TARGET ${lib})
        get_target_property(folder ${lib} KESMAR_FOLDER)
        if(folder)
          kesmar_layer_of(${folder} layer)
          if(layer EQUAL 2)
            message(FATAL_ERROR "tool target ${t} must not link ${lib} (widget folder src/${folder})")
          endif()
        endif()
      endif()
    endforeach()
    kesmar_add_widget_guard(${t})
  endforeach()
  foreach(sub ${subdirs})
    kesmar_check_tools(${sub})
  endforeach()
endfunction()

# The folders a library may include: its own and those of everything it
# links, directly or not.
function(kesmar_folders_below target out)
  set(result)
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(lib ${links})
    if(TARGET ${lib} AND lib MATCHES "^kesmar_")
      get_target_property(folder ${lib} KESMAR_FOLDER)
      kesmar_folders_below(${lib} sub)
      list(APPEND result ${folder} ${sub})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES result)
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The test "layer_includes": scans every include of src/ and tools/ against
# the same rules (cmake/CheckLayerIncludes.cmake).
function(kesmar_add_layer_test)
  get_property(libs GLOBAL PROPERTY KESMAR_LIBRARIES)
  set(folders)
  foreach(lib ${libs})
    get_target_property(folder ${lib} KESMAR_FOLDER)
    kesmar_folders_below(${lib} below)
    list(APPEND folders ${folder})
    list(APPEND below_${folder} ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(text "")
  foreach(folder ${folders})
    kesmar_layer_of(${folder} layer)
    set(kind widget)
    if(layer LESS 2)
      set(kind plain)
    endif()
    set(allowed ${below_${folder}})
    if(allowed)
      list(REMOVE_DUPLICATES allowed)
    endif()
    string(REPLACE ";" "," allowed "${allowed}")
    string(APPEND text "${folder}|${kind}|${allowed}\n")
  endforeach()
  get_property(windowTools GLOBAL PROPERTY KESMAR_WINDOW_TOOLS)
  string(REPLACE ";" "," windowTools "${windowTools}")
  string(APPEND text "tools|window|${windowTools}\n")
  file(WRITE ${CMAKE_BINARY_DIR}/layer-rules.txt "${text}")
  kesmar_widget_guard(guard)
  add_test(NAME layer_includes
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DRULES=${CMAKE_BINARY_DIR}/layer-rules.txt
      -DGUARD=${CMAKE_BINARY_DIR}/layer-guard -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake)
endfunction()
