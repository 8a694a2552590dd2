# orbiquant_embed(<target> <table-symbol> <file>...)
# Builds a static library <target> holding the given files as byte arrays and a table
# named <table-symbol> that platform/resources looks names up in. A file's resource name
# is its file name; lookups ignore letter case.
function(orbiquant_embed target table)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_table.cpp)
  set(inputs)
  foreach(f ${ARGN})
    get_filename_component(abs ${f} ABSOLUTE)
    list(APPEND inputs ${abs})
  endforeach()
  add_custom_command(OUTPUT ${out}
    COMMAND orbiquant_embed_tool ${out} ${table} ${inputs}
    DEPENDS orbiquant_embed_tool ${inputs}
    COMMENT "Embedding resources into ${target}")
  add_library(${target} STATIC ${out})
  target_link_libraries(${target} PUBLIC platform)
endfunction()
