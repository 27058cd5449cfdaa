# The help file Tidemarker.chm, compiled from help/ with chmcmd (Free Pascal's CHM
# compiler, Debian package fp-utils) and placed beside Tidemarker.exe. chmcmd reads
# the pages relative to the project file and writes the .chm into its working folder.
find_program(TM_CHMCMD chmcmd)
if(NOT TM_CHMCMD)
  message(STATUS "chmcmd not found: Tidemarker.chm is not built")
  return()
endif()

file(GLOB TM_HELP_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/help/*")
add_custom_command(
  OUTPUT "${CMAKE_BINARY_DIR}/Tidemarker.chm"
  COMMAND "${TM_CHMCMD}" --verbosity 0 "${CMAKE_CURRENT_SOURCE_DIR}/help/Tidemarker.hhp"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  DEPENDS ${TM_HELP_SOURCES}
  COMMENT "Compiling Tidemarker.chm"
  VERBATIM)
add_custom_target(tm_help ALL DEPENDS "${CMAKE_BINARY_DIR}/Tidemarker.chm")
