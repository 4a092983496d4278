# Copies the tree SRC into DST. A file is copied when it is missing in DST or when the
# shipped one is newer, so what the programs wrote into the program folder survives a rebuild.
# BlkPages/ holds the sources of the background animations, which ship packed (BlkPackages.cmake).
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
list(FILTER files EXCLUDE REGEX "^BlkPages/")
foreach(rel IN LISTS files)
  set(from ${SRC}/${rel})
  set(to ${DST}/${rel})
  if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
    get_filename_component(dir ${to} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${from} ${to})
  endif()
endforeach()
