# embed_text(OUTPUT HEADER NAME FILE [NAME FILE ...]) writes OUTPUT, a C++
# source that defines each NAME as a std::string_view of FILE's bytes, so
# that text edited as a file of its own ships inside the program. Editing a
# FILE reconfigures; OUTPUT is rewritten only when it changes.
function(embed_text output header)
  set(source "#include \"${header}\"\n")
  while(ARGN)
    list(POP_FRONT ARGN name file)
    file(READ ${file} text)
    if(text MATCHES "\\)embedded\"")
      message(FATAL_ERROR "${file} holds the raw string's end, )embedded\"")
    endif()
    string(APPEND source "\nextern const std::string_view ${name} = R\"embedded(${text})embedded\";\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  endwhile()
  file(WRITE ${output}.new "${source}")
  configure_file(${output}.new ${output} COPYONLY)
  file(REMOVE ${output}.new)
endfunction()
