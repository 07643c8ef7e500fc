# The portable core must build without Qt or X11. Its target has no such include
# paths, but system headers such as <X11/Xlib.h> would still be found, so every
# core source is checked for them when the project is configured.

function(tapsody_check_portable_core target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE path)
    if(NOT EXISTS ${path})
      continue()
    endif()
    file(STRINGS ${path} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt|X11/)")
    if(hits)
      message(FATAL_ERROR "${path} belongs to the portable core but includes a toolkit header: ${hits}")
    endif()
  endforeach()
endfunction()
