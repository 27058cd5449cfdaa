# Release packages, built by the target "package" (tools/package.sh) into the build folder:
#   Tidemarker-<version>-win64.zip   the portable program: Tidemarker\ with the program,
#                                    its help file and a read-me with the licence
#   Tidemarker-<version>-setup.exe   the per-user installer, made with NSIS (makensis)
# Both take the program stripped of its debug information.
if(NOT TARGET tm_help)
  message(STATUS "No help file: the packages are not built")
  return()
endif()
find_program(TM_MAKENSIS makensis)

set(TM_STAGE_DIR "${CMAKE_BINARY_DIR}/package/Tidemarker")
set(TM_PACKAGE_BASE "${CMAKE_BINARY_DIR}/Tidemarker-${PROJECT_VERSION}")
set(TM_ZIP_FILE "${TM_PACKAGE_BASE}-win64.zip")
set(TM_SETUP_FILE "${TM_PACKAGE_BASE}-setup.exe")
set(TM_NSIS_SCRIPT "${CMAKE_CURRENT_SOURCE_DIR}/packaging/Tidemarker.nsi")

file(READ "${CMAKE_CURRENT_SOURCE_DIR}/LICENSE" TM_LICENSE_TEXT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/LICENSE")
configure_file("${CMAKE_CURRENT_SOURCE_DIR}/packaging/ReadMe.txt.in" "${TM_STAGE_DIR}/ReadMe.txt"
               @ONLY NEWLINE_STYLE CRLF)

if(CMAKE_STRIP)
  set(TM_STAGE_EXE_COMMAND "${CMAKE_STRIP}" --strip-debug -o "${TM_STAGE_DIR}/Tidemarker.exe" $<TARGET_FILE:Tidemarker>)
else()
  set(TM_STAGE_EXE_COMMAND "${CMAKE_COMMAND}" -E copy $<TARGET_FILE:Tidemarker> "${TM_STAGE_DIR}/Tidemarker.exe")
endif()
add_custom_command(
  OUTPUT "${TM_STAGE_DIR}/Tidemarker.exe" "${TM_STAGE_DIR}/Tidemarker.chm"
  COMMAND ${TM_STAGE_EXE_COMMAND}
  COMMAND "${CMAKE_COMMAND}" -E copy "${CMAKE_BINARY_DIR}/Tidemarker.chm" "${TM_STAGE_DIR}/Tidemarker.chm"
  DEPENDS Tidemarker tm_help "${CMAKE_BINARY_DIR}/Tidemarker.chm"
  COMMENT "Staging the packaged files"
  VERBATIM)
set(TM_STAGED_FILES "${TM_STAGE_DIR}/Tidemarker.exe" "${TM_STAGE_DIR}/Tidemarker.chm" "${TM_STAGE_DIR}/ReadMe.txt")

add_custom_command(
  OUTPUT "${TM_ZIP_FILE}"
  COMMAND "${CMAKE_COMMAND}" -E rm -f "${TM_ZIP_FILE}"
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${TM_ZIP_FILE}" --format=zip
          Tidemarker/Tidemarker.exe Tidemarker/Tidemarker.chm Tidemarker/ReadMe.txt
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/package"
  DEPENDS ${TM_STAGED_FILES}
  COMMENT "Packing ${TM_ZIP_FILE}"
  VERBATIM)
set(TM_PACKAGES "${TM_ZIP_FILE}")

if(TM_MAKENSIS)
  add_custom_command(
    OUTPUT "${TM_SETUP_FILE}"
    COMMAND "${TM_MAKENSIS}" -V2 -WX -INPUTCHARSET UTF8
            "-DVERSION=${PROJECT_VERSION}" "-DDESCRIPTION=${TM_DESCRIPTION}" "-DCOPYRIGHT=${TM_COPYRIGHT}"
            "-DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}" "-DSTAGE_DIR=${TM_STAGE_DIR}"
            "-DOUT_FILE=${TM_SETUP_FILE}" "${TM_NSIS_SCRIPT}"
    DEPENDS ${TM_STAGED_FILES} "${TM_NSIS_SCRIPT}" "${CMAKE_CURRENT_SOURCE_DIR}/LICENSE"
            "${CMAKE_CURRENT_SOURCE_DIR}/res/icons/app.ico"
    COMMENT "Making ${TM_SETUP_FILE}"
    VERBATIM)
  list(APPEND TM_PACKAGES "${TM_SETUP_FILE}")
else()
  message(STATUS "makensis not found: the installer is not built")
endif()

add_custom_target(package DEPENDS ${TM_PACKAGES})

# The installer end to end under Wine: silent install, first start, silent uninstalls.
if(TM_BUILD_TESTS AND TM_MAKENSIS AND NOT CMAKE_HOST_WIN32)
  add_test(NAME install_uninstall
           COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/tests/package/install_uninstall.sh"
                   "${CMAKE_BINARY_DIR}" "${PROJECT_VERSION}")
  set_tests_properties(install_uninstall PROPERTIES TIMEOUT 300)
endif()
