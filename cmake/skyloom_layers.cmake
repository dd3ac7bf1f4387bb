# The layers of Skyloom 2 in the build.
#
# SKYLOOM_FOLDER_LIBRARIES: the one map from source folder to library.  Each
# library is its folders' *.cpp and *.h (skyloom_module; a library may span
# several folders); a header's folder names the library a file that includes
# it uses.
#
# skyloom_module(NAME): the static library NAME over its folders' sources.
#
# skyloom_libraries_used(SOURCE OUT): the project libraries a source file
# uses, from the project headers it names (and those the test folder's own
# headers name); a Qt header counts as Qt6::Widgets.  Test programs link
# exactly these, so a test of the engine links the engine and nothing else.
#
# skyloom_check_includes(TARGET...): stops the configuration when a file of one
# of the given libraries includes a header of a library it does not link,
# directly or through another: includes run down the layers, never up or
# across.  The folders are read under SKYLOOM_LAYERS_ROOT (the source tree
# unless set).
#
# skyloom_check_no_toolkit(TARGET...): stops the configuration when one of the
# given libraries links the toolkit or libpng (image files are written in
# platform/qt alone), directly or through another library.

# Besides each other and the standard library, the layers link these system
# libraries alone: the engine the zone database's reader (date::date-tz, for
# the local clock, which every layer above converts times with), the precise
# engine ERFA, platform/qt the toolkit and libpng (skyloom_check_no_toolkit).
set(SKYLOOM_FOLDER_LIBRARIES
    "resources=skyloom_resources" "engine=skyloom_engine" "engine/classical=skyloom_classical" "engine/precise=skyloom_precise"
    "platform=skyloom_platform" "format=skyloom_format" "reports=skyloom_reports" "graphs=skyloom_graphs"
    "output=skyloom_output" "movies=skyloom_movies" "app=skyloom_core" "cli=skyloom_cli"
    "platform/qt=skyloom_platform_qt" "window=skyloom_window")

# The other sides of the SKYLOOM_FOLDER_LIBRARIES pairs whose side SIDE is
# KEY, as a list: SIDE 0 looks a folder up and gives its library, SIDE 1 a
# library and gives its folders; OUT empty when no pair has KEY.
function(skyloom_folder_map side key out)
  math(EXPR other "1 - ${side}")
  set(found "")
  foreach(pair ${SKYLOOM_FOLDER_LIBRARIES})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair ${side} this)
    if(key STREQUAL this)
      list(GET pair ${other} value)
      list(APPEND found "${value}")
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The library of a folder (OUT empty when the folder is none of the project's).
function(skyloom_library_of_folder folder out)
  skyloom_folder_map(0 "${folder}" library)
  set(${out} "${library}" PARENT_SCOPE)
endfunction()

# The folders of a library (a list).
function(skyloom_folders_of_library library out)
  skyloom_folder_map(1 "${library}" folders)
  if(NOT folders)
    message(FATAL_ERROR "${library} has no folder in SKYLOOM_FOLDER_LIBRARIES")
  endif()
  set(${out} "${folders}" PARENT_SCOPE)
endfunction()

function(skyloom_module name)
  skyloom_folders_of_library(${name} dirs)
  set(sources "")
  foreach(dir ${dirs})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# The library one #include line names: a project library, Qt6::Widgets for a
# Qt header, or nothing (the standard library, a system library, a header
# beside the including file, a test helper).
function(skyloom_library_of_include line out)
  string(REGEX REPLACE "^#include [\"<]([^\">]+)[\">].*" "\\1" header "${line}")
  set(library "")
  if(header MATCHES "^Q[A-Za-z]+$")
    set(library Qt6::Widgets)
  elseif(header MATCHES "/")
    get_filename_component(folder "${header}" DIRECTORY)
    skyloom_library_of_folder("${folder}" library)
  endif()
  set(${out} "${library}" PARENT_SCOPE)
endfunction()

function(skyloom_libraries_used source out)
  set(found "")
  set(pending "${source}")
  set(seen "")
  while(pending)
    list(POP_FRONT pending file)
    if(file IN_LIST seen OR NOT EXISTS "${file}")
      continue()
    endif()
    list(APPEND seen "${file}")
    get_filename_component(here "${file}" DIRECTORY)
    file(STRINGS "${file}" includes REGEX "^#include [\"<]")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include [\"<]([^\">]+)[\">].*" "\\1" header "${line}")
      if(header MATCHES "^Q[A-Za-z]+$")
        list(APPEND found Qt6::Widgets)
      elseif(header MATCHES "^tests/" OR (NOT header MATCHES "/" AND EXISTS "${here}/${header}"))
        if(header MATCHES "^tests/")
          list(APPEND pending "${CMAKE_SOURCE_DIR}/${header}")
        else()
          list(APPEND pending "${here}/${header}")
        endif()
      else()
        skyloom_library_of_include("${line}" library)
        list(APPEND found ${library})
      endif()
    endforeach()
  endwhile()
  list(REMOVE_DUPLICATES found)
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Every library target reached from target through its link libraries.
function(skyloom_link_closure target out)
  set(closure "")
  set(pending "${target}")
  while(pending)
    list(POP_FRONT pending t)
    if(t IN_LIST closure)
      continue()
    endif()
    list(APPEND closure "${t}")
    if(TARGET "${t}")
      get_target_property(aliased "${t}" ALIASED_TARGET)
      if(aliased)
        list(APPEND pending "${aliased}")
      endif()
      get_target_property(type "${t}" TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links "${t}" LINK_LIBRARIES)
        if(links)
          list(APPEND pending ${links})
        endif()
      endif()
      get_target_property(interface "${t}" INTERFACE_LINK_LIBRARIES)
      if(interface)
        list(APPEND pending ${interface})
      endif()
    endif()
  endwhile()
  set(${out} "${closure}" PARENT_SCOPE)
endfunction()

function(skyloom_check_no_toolkit)
  foreach(target ${ARGN})
    skyloom_link_closure(${target} closure)
    foreach(t ${closure})
      if(t MATCHES "^Qt[0-9]*::" OR t MATCHES "^skyloom_(window|platform_qt)$")
        message(FATAL_ERROR "${target} links the toolkit through ${t}: only platform/qt and window may")
      endif()
      if(t MATCHES "^PNG::" OR t MATCHES "(^|/|-l)png")
        message(FATAL_ERROR "${target} links libpng through ${t}: only platform/qt writes image files")
      endif()
    endforeach()
  endforeach()
endfunction()

function(skyloom_check_includes)
  foreach(target ${ARGN})
    skyloom_folders_of_library(${target} dirs)
    skyloom_link_closure(${target} closure)
    set(root "${SKYLOOM_LAYERS_ROOT}")
    if(NOT root)
      set(root "${CMAKE_SOURCE_DIR}")
    endif()
    set(files "")
    foreach(dir ${dirs})
      file(GLOB found ${root}/${dir}/*.cpp ${root}/${dir}/*.h)
      list(APPEND files ${found})
    endforeach()
    foreach(file ${files})
      file(STRINGS "${file}" includes REGEX "^#include [\"<]")
      foreach(line ${includes})
        skyloom_library_of_include("${line}" library)
        if(library AND NOT library IN_LIST closure)
          file(RELATIVE_PATH shown ${root} ${file})
          message(FATAL_ERROR "${shown}: '${line}' reaches ${library}, which ${target} does not stand on")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
