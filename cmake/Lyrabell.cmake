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
    # A header that a glob newly picks up must rerun moc even in an old build tree.
    set_property(TARGET ${name} PROPERTY AUTOGEN_TARGET_DEPENDS ${headers})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
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
