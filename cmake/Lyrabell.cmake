# Helpers shared by the CMake files of the source folders.

# lyrabell_library(NAME LINKS...): one library from the .cpp files of the current folder.
# A folder without sources yet gives an interface library with its include path.
function(lyrabell_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB resources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers} ${resources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
    lyrabell_rescan_moc(${name} "${headers}")
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# Moc's rule in an existing Ninja build tree only knows the headers it scanned before, so a
# header that a glob newly picks up would never be moc'ed. When the header list changes, the
# rule's output is removed, which makes the next build run moc again.
function(lyrabell_rescan_moc target headers)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_headers.txt)
  string(JOIN "\n" text ${headers})
  set(old "")
  if(EXISTS ${list_file})
    file(READ ${list_file} old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE ${list_file} "${text}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()

# lyrabell_program(TARGET OUTPUT_NAME SOURCES... LINKS ...): a program of the program folder.
function(lyrabell_program target output)
  cmake_parse_arguments(P "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${target} ${P_SOURCES})
  target_link_libraries(${target} PRIVATE ${P_LINKS})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output}
    RUNTIME_OUTPUT_DIRECTORY ${LYRABELL_PROGRAM_DIR})
endfunction()
