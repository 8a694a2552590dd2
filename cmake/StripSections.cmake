# Run by CPack after it has installed and stripped the files, before it packs them: takes the
# .comment and .note sections out of the executables, which strip alone leaves in.
file(GLOB executables "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
find_program(STRIP_PROGRAM strip REQUIRED)
foreach(executable ${executables})
  execute_process(COMMAND ${STRIP_PROGRAM} --remove-section=.comment --remove-section=.note
                          ${executable}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip failed on ${executable}")
  endif()
endforeach()
