# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every file of the program includes only headers of its own library or of the
# libraries that library links: subsystems stand on the foundation, the main program on the
# subsystems, and nothing reaches up. The build writes the list of libraries, their files and
# what each may use into layers.cmake, and runs this check when it is configured; run it
# again at any time with
#   cmake -DLAYERS=build/layers.cmake -P tools/checklayers.cmake
cmake_minimum_required(VERSION 3.25)

function(qor_check_layer_file layers)
  include(${layers})
  set(folders "")
  foreach(target IN LISTS QOR_TARGETS)
    foreach(file IN LISTS QOR_FILES_${target})
      set(owner_${file} ${target})
      string(REGEX REPLACE "/.*" "" folder "${file}")
      list(APPEND folders ${folder})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES folders)

  set(errors "")
  foreach(target IN LISTS QOR_TARGETS)
    foreach(file IN LISTS QOR_FILES_${target})
      file(STRINGS "${QOR_SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" header "${line}")
        string(REGEX REPLACE "/.*" "" folder "${header}")
        if(DEFINED owner_${header})
          set(owner ${owner_${header}})
          if(NOT owner STREQUAL target AND NOT owner IN_LIST QOR_USES_${target})
            string(APPEND errors
                   "\n  ${file} (${target}) includes ${header} (${owner}), which ${target} does not link")
          endif()
        elseif(folder IN_LIST folders)
          string(APPEND errors "\n  ${file} includes ${header}, which no library holds")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(errors)
    message(FATAL_ERROR "Includes against the layers:${errors}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT LAYERS)
    message(FATAL_ERROR "usage: cmake -DLAYERS=<build>/layers.cmake -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  qor_check_layer_file(${LAYERS})
endif()
