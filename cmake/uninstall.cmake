# Removes the files that `cmake --install` listed in its install manifest,
# then the program's own folders (share/skyloom2, its help/, share/doc/skyloom2)
# when they are left empty.  The user's data folder,
# $XDG_DATA_HOME/skyloom2 (~/.local/share/skyloom2), is the installed data
# folder itself when the prefix is ~/.local: there a file is removed only
# while it is the same as the shipped copy in the build tree, so the user's
# city list, once changed, stays.
# Usage: cmake -DMANIFEST=BUILD/install_manifest.txt -DSHIPPED_DIR=BUILD -P uninstall.cmake
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (run cmake --install first)")
endif()

if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
  set(user_data "$ENV{XDG_DATA_HOME}/skyloom2")
elseif(DEFINED ENV{HOME})
  set(user_data "$ENV{HOME}/.local/share/skyloom2")
endif()
if(user_data)
  file(REAL_PATH "${user_data}" user_data)
endif()

file(STRINGS "${MANIFEST}" installed)
set(folders "")
foreach(file IN LISTS installed)
  if(NOT EXISTS "${file}" AND NOT IS_SYMLINK "${file}")
    continue()
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  file(REAL_PATH "${folder}" real_folder)
  string(FIND "${real_folder}/" "${user_data}/" in_user_data)
  if(user_data AND in_user_data EQUAL 0)
    # The shipped copy: the data files lie in the build tree's top, the help book in its help/.
    file(RELATIVE_PATH inside "${user_data}" "${real_folder}")
    get_filename_component(name "${file}" NAME)
    set(shipped "${SHIPPED_DIR}/${inside}/${name}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${file}" "${shipped}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(STATUS "Kept (the user's data): ${file}")
      continue()
    endif()
  endif()
  message(STATUS "Removing: ${file}")
  file(REMOVE "${file}")
  if(folder MATCHES "/skyloom2(/help)?$")
    list(APPEND folders "${folder}")
  endif()
endforeach()

# Deepest first, so that help/ goes before share/skyloom2.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  file(GLOB left "${folder}/*")
  if(NOT left)
    file(REMOVE_RECURSE "${folder}")
  endif()
endforeach()
