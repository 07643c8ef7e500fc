# Window-definition records: data files packed at build time into a window's
# record (compressed) and linked into the programs.
#
#   tapsody_window_record(<Window> [TARGET <target>]
#                         COMPONENTS <name> <file> <extension> [<name> <file> <extension>]...)
#
# Each component names its data file (relative to the calling folder, or
# absolute), or a target of the build whose file is packed once it is built,
# and the extension the component carries, such as txt or bmp; ""
# for none. The record goes into the target, by default the object library
# tapsody_records, which every program that reads records links directly. The
# build also leaves the record as <Window>.rec in the calling folder's build
# folder, for tapsodia-data. The target may be made in any folder.

function(tapsody_window_record window)
  # Walk the arguments by hand: an empty extension is an empty argument, which
  # list handling would drop.
  set(target tapsody_records)
  set(first 1)
  if(ARGC GREATER 2 AND ARGV1 STREQUAL "TARGET")
    set(target "${ARGV2}")
    set(first 3)
  endif()
  math(EXPR last "${ARGC} - 1")
  if(first GREATER last OR NOT ARGV${first} STREQUAL "COMPONENTS")
    message(FATAL_ERROR "tapsody_window_record(${window}): COMPONENTS <name> <file> <extension>... expected")
  endif()
  math(EXPR first "${first} + 1")
  math(EXPR count "${ARGC} - ${first}")
  math(EXPR remainder "${count} % 3")
  if(count EQUAL 0 OR NOT remainder EQUAL 0)
    message(FATAL_ERROR "tapsody_window_record(${window}): each component needs <name> <file> <extension>")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tapsody_window_record(${window}): no target ${target}")
  endif()
  get_property(known GLOBAL PROPERTY TAPSODY_WINDOW_RECORDS)
  if(window IN_LIST known)
    message(FATAL_ERROR "tapsody_window_record(${window}): the window has a record already")
  endif()
  set_property(GLOBAL APPEND PROPERTY TAPSODY_WINDOW_RECORDS ${window})

  set(components)
  set(files)
  foreach(index RANGE ${first} ${last} 3)
    math(EXPR file_index "${index} + 1")
    math(EXPR extension_index "${index} + 2")
    set(name "${ARGV${index}}")
    set(extension "${ARGV${extension_index}}")
    if(NOT name MATCHES "^[A-Za-z_][A-Za-z0-9_]*$" OR NOT extension MATCHES "^[A-Za-z0-9_]*$")
      message(FATAL_ERROR "tapsody_window_record(${window}): bad component name or extension: \"${name}\" \"${extension}\"")
    endif()
    if(TARGET "${ARGV${file_index}}")
      set(file "$<TARGET_FILE:${ARGV${file_index}}>")
      list(APPEND files "${ARGV${file_index}}") # the target: built before the record is packed
    else()
      cmake_path(ABSOLUTE_PATH ARGV${file_index} BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE file)
      if(NOT EXISTS ${file})
        message(FATAL_ERROR "tapsody_window_record(${window}): ${file} does not exist")
      endif()
    endif()
    if(extension STREQUAL "")
      list(APPEND components "${name}=${file}")
    else()
      list(APPEND components "${name}.${extension}=${file}")
    endif()
    list(APPEND files ${file})
  endforeach()

  set(record ${CMAKE_CURRENT_BINARY_DIR}/${window}.rec)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${window}_record.cpp)
  add_custom_command(
    OUTPUT ${record} ${source}
    COMMAND tapsody_record_packer ${window} ${record} ${source} ${components}
    DEPENDS tapsody_record_packer ${files}
    COMMENT "Packing the window record ${window}"
    VERBATIM)
  # The custom target carries the packing rule to a target made in another folder.
  add_custom_target(tapsody_record_${window} DEPENDS ${record} ${source})
  target_sources(${target} PRIVATE ${source})
  add_dependencies(${target} tapsody_record_${window})
endfunction()
