# The background animations: each folder content/BlkPages/<name>/ (a page with its start page
# index.htm, no subfolders) is packed by lyrabell-tool into the resource package
# Blk/<name>.tmp of the program folder. The folders themselves are not copied there.
function(lyrabell_blk_packages target)
  file(GLOB folders LIST_DIRECTORIES true CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/content/BlkPages/*)
  set(outputs "")
  foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY ${folder})
      continue()
    endif()
    get_filename_component(name ${folder} NAME)
    file(GLOB files LIST_DIRECTORIES true CONFIGURE_DEPENDS ${folder}/*)
    foreach(f IN LISTS files)
      if(IS_DIRECTORY ${f})
        message(FATAL_ERROR "${f}: a background animation package holds no subfolders")
      endif()
    endforeach()
    if(NOT EXISTS ${folder}/index.htm)
      message(FATAL_ERROR "${folder}: a background animation needs its start page index.htm")
    endif()
    set(stage ${CMAKE_BINARY_DIR}/blk-pages/${name})
    set(out ${LYRABELL_PROGRAM_DIR}/Blk/${name}.tmp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${stage}.tmp
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${folder} ${stage}
      # The tool may be a sanitized build; its leak report is the tests' business.
      COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
              $<TARGET_FILE:lyrabell-tool> pack ${stage}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${LYRABELL_PROGRAM_DIR}/Blk
      COMMAND ${CMAKE_COMMAND} -E copy ${stage}.tmp ${out}
      DEPENDS ${files} lyrabell-tool
      COMMENT "Packing the background animation Blk/${name}.tmp"
      VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(${target} DEPENDS ${outputs})
endfunction()
