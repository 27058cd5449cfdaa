# MinGW-w64 ships xmllite.h but no import library for xmllite.dll (a part of Windows):
# one is made at configure time from the exports we call. Visual C++ has xmllite.lib.
if(MINGW)
  find_library(TM_XMLLITE_LIB xmllite)
  if(NOT TM_XMLLITE_LIB)
    find_program(TM_DLLTOOL NAMES ${CMAKE_CXX_COMPILER_TARGET}-dlltool x86_64-w64-mingw32-dlltool dlltool REQUIRED)
    set(TM_IMPLIB_DIR "${CMAKE_BINARY_DIR}/implib")
    file(MAKE_DIRECTORY "${TM_IMPLIB_DIR}")
    execute_process(COMMAND "${TM_DLLTOOL}" -d "${CMAKE_CURRENT_LIST_DIR}/xmllite.def" -l "${TM_IMPLIB_DIR}/libxmllite.a"
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "dlltool could not make the xmllite import library")
    endif()
    link_directories("${TM_IMPLIB_DIR}")
  endif()
endif()
