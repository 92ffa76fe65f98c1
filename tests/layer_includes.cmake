# Fails when a file of the module's layers includes a header of a layer it may not use: every
# folder of src/ is on the include path, so the compiler would not notice it.
#   cmake -DSOURCE_DIR=<source tree> -P <this file>
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not given")
endif()

# Layer folder, then the folders of src/ whose headers it may include.
set(allowed_core automation platform external core)
set(allowed_questions ${allowed_core} questions)
set(allowed_module ${allowed_questions} module wordcontrol)
set(allowed_wordcontrol ${allowed_module})

set(violations "")
foreach(layer core questions module wordcontrol)
  file(GLOB files ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"[^/\"]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^/\"]+)/.*" "\\1" folder "${line}")
      if(NOT folder IN_LIST allowed_${layer})
        file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
        list(APPEND violations "${name}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "includes across the layers:\n  ${text}")
endif()
