# The HTML5 named character references, generated into the build tree from Python's
# html.entities.html5 (python3 is a build dependency).
find_program(TM_PYTHON3 python3)
if(NOT TM_PYTHON3)
  message(FATAL_ERROR "python3 is needed to generate the HTML character references (tools/install-deps.sh)")
endif()
set(TM_HTML_REFERENCES "${CMAKE_BINARY_DIR}/generated/HtmlNamedReferences.h")
add_custom_command(OUTPUT "${TM_HTML_REFERENCES}"
  COMMAND "${TM_PYTHON3}" "${CMAKE_CURRENT_SOURCE_DIR}/tools/gen-html-entities.py" "${TM_HTML_REFERENCES}"
  DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tools/gen-html-entities.py"
  COMMENT "Generating the HTML5 named character references"
  VERBATIM)
target_sources(tm_core PRIVATE "${TM_HTML_REFERENCES}")
target_include_directories(tm_core PRIVATE "${CMAKE_BINARY_DIR}/generated")
