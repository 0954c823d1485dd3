# Adds `dir` itself when it has a CMakeLists.txt.
function(add_subdirectory_if_present dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# Adds `dir` when it has a CMakeLists.txt; otherwise every immediate child
# folder of `dir` that has one (recursing through folders that have none), in
# name order. Components are discovered instead of listed so that work on
# separate components never touches a shared file.
function(add_child_dirs dir)
  set(base ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  if(EXISTS ${base}/CMakeLists.txt)
    add_subdirectory(${dir})
    return()
  endif()
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${base}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child})
      add_child_dirs(${child})
    endif()
  endforeach()
endfunction()

# Adds every immediate child folder of the current source folder, as
# add_child_dirs does for one.
function(add_all_child_dirs)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child})
      add_child_dirs(${child})
    endif()
  endforeach()
endfunction()
