# Only the platform back-end (src/platform/<back-end>) may include the system's
# own headers, and the portable core must also build without Qt. The targets have
# no such include paths, but headers such as <X11/Xlib.h> or <unistd.h> would
# still be found, so their sources are checked when the project is configured.

set(TAPSODY_SYSTEM_HEADERS "X11/|xcb/|unistd\\.h|fcntl\\.h|sys/|[Ww]indows\\.h")
set(TAPSODY_TOOLKIT_HEADERS "Q[A-Za-z]|qt")

function(tapsody_check_includes target forbidden what)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE path)
    if(NOT EXISTS ${path})
      continue()
    endif()
    file(STRINGS ${path} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden})")
    if(hits)
      message(FATAL_ERROR "${path} belongs to ${target} but includes ${what}: ${hits}")
    endif()
  endforeach()
endfunction()

# The core: neither the toolkit nor the system.
function(tapsody_check_portable_core target)
  tapsody_check_includes(${target} "${TAPSODY_TOOLKIT_HEADERS}|${TAPSODY_SYSTEM_HEADERS}"
                         "a toolkit or system header")
endfunction()

# The windows and the programs: the toolkit, but the system only through the platform.
function(tapsody_check_system_free target)
  tapsody_check_includes(${target} "${TAPSODY_SYSTEM_HEADERS}" "a system header")
endfunction()
