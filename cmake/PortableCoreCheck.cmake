# Only the platform back-end (src/platform/<back-end>) may include the system's
# own headers, and the portable core must also build without Qt. The targets have
# no such include paths, but headers such as <X11/Xlib.h> or <unistd.h> would
# still be found, so their sources are checked when the project is configured.

set(TAPSODY_SYSTEM_HEADERS "X11/|xcb/|unistd\\.h|fcntl\\.h|sys/|[Ww]indows\\.h")
set(TAPSODY_TOOLKIT_HEADERS "Q[A-Za-z]|qt")

# The absolute paths of the target's sources that exist (generated ones may not yet).
function(tapsody_source_paths target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(paths)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE path)
    if(EXISTS ${path})
      list(APPEND paths ${path})
    endif()
  endforeach()
  set(${out} ${paths} PARENT_SCOPE)
endfunction()

function(tapsody_check_includes target forbidden what)
  tapsody_source_paths(${target} paths)
  foreach(path IN LISTS paths)
    file(STRINGS ${path} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden})")
    if(hits)
      message(FATAL_ERROR "${path} belongs to ${target} but includes ${what}: ${hits}")
    endif()
  endforeach()
endfunction()

# The core: neither the toolkit nor the system. Its sources are also listed in
# <build>/portable_core_sources.txt, one a line, for the check that compiles
# them for Windows (scripts/check-windows-compile.sh).
function(tapsody_check_portable_core target)
  tapsody_check_includes(${target} "${TAPSODY_TOOLKIT_HEADERS}|${TAPSODY_SYSTEM_HEADERS}"
                         "a toolkit or system header")
  tapsody_source_paths(${target} paths)
  list(JOIN paths "\n" lines)
  file(WRITE ${CMAKE_BINARY_DIR}/portable_core_sources.txt "${lines}\n")
endfunction()

# The windows and the programs: the toolkit, but the system only through the platform.
function(tapsody_check_system_free target)
  tapsody_check_includes(${target} "${TAPSODY_SYSTEM_HEADERS}" "a system header")
endfunction()
