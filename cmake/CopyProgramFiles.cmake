# SPDX-License-Identifier: MIT
# cmake -DFROM=DIR -DTO=DIR -DLIST=FILE -DOUT=FILE -DCONVERT=PROGRAM -P CopyProgramFiles.cmake
#
# Copies the files that LIST names (one a line) from FROM to TO, each picture (.bmp) converted
# to PNG by ImageMagick's CONVERT, and writes the names of the copies to OUT, in LIST's order.
file(STRINGS ${LIST} names)
file(MAKE_DIRECTORY ${TO})
set(copied "")
foreach(name IN LISTS names)
  if(name MATCHES "^(.*)\\.bmp$")
    set(png ${CMAKE_MATCH_1}.png)
    execute_process(COMMAND ${CONVERT} ${FROM}/${name} -strip ${TO}/${png} COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND copied "${png}\n")
  else()
    file(COPY_FILE ${FROM}/${name} ${TO}/${name} ONLY_IF_DIFFERENT)
    string(APPEND copied "${name}\n")
  endif()
endforeach()
file(WRITE ${OUT} "${copied}")
