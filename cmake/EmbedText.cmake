# Builds text files into a library, so that a moved or installed program still has them.
#
#   pellion_embed_text(<target> NAMESPACE <namespace> TEXTS <function> <file> [<function> <file>]...)
#
# generates, at build time, a source file of <target> that defines `std::string_view <function>()` in
# <namespace> for each file, returning the file's text as it was when the target was built. The file is
# generated again whenever one of the texts changes. Declare the functions in a header of the library.
#
# Run with cmake -P, the same file writes that source (OUTPUT, NAMESPACE and TEXTS given with -D, the
# pairs of TEXTS joined by '|').

set(PELLION_EMBED_TEXT_SCRIPT ${CMAKE_CURRENT_LIST_FILE})
# Ends each raw string literal; a text that holds it cannot be embedded.
set(PELLION_EMBED_TEXT_DELIMITER "pellion_text")

function(pellion_embed_text target)
  cmake_parse_arguments(PARSE_ARGV 1 EMBED "" "NAMESPACE" "TEXTS")
  list(LENGTH EMBED_TEXTS count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "pellion_embed_text(${target}): TEXTS takes pairs of a function name and a file")
  endif()
  set(files)
  set(pairs)
  foreach(item IN LISTS EMBED_TEXTS)
    list(LENGTH pairs position)
    math(EXPR odd "${position} % 2")
    if(odd)
      cmake_path(ABSOLUTE_PATH item BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE)
      list(APPEND files ${item})
    endif()
    list(APPEND pairs ${item})
  endforeach()
  list(JOIN pairs "|" joined)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${target}_texts.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DNAMESPACE=${EMBED_NAMESPACE} -DTEXTS=${joined}
            -P ${PELLION_EMBED_TEXT_SCRIPT}
    DEPENDS ${files} ${PELLION_EMBED_TEXT_SCRIPT}
    COMMENT "Embedding texts into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  string(REPLACE "|" ";" pairs "${TEXTS}")
  set(delimiter ${PELLION_EMBED_TEXT_DELIMITER})
  set(source "// Generated from the texts it returns by cmake/EmbedText.cmake; do not edit.\n")
  string(APPEND source "#include <string_view>\n\nnamespace ${NAMESPACE} {\n")
  while(pairs)
    list(POP_FRONT pairs function file)
    file(READ ${file} text)
    string(FIND "${text}" ")${delimiter}\"" clash)
    if(NOT clash EQUAL -1)
      message(FATAL_ERROR "${file} holds \")${delimiter}\"\" and cannot be embedded")
    endif()
    string(APPEND source "\nstd::string_view ${function}() {\n  return R\"${delimiter}(${text})${delimiter}\";\n}\n")
  endwhile()
  string(APPEND source "\n}  // namespace ${NAMESPACE}\n")
  file(WRITE ${OUTPUT} "${source}")
endif()
