# A second compiler over every product, test and benchmark source: clang for the same
# MinGW-w64 target, against the cross compiler's own C++ library and MinGW's headers,
# syntax and warnings only. It stops what GCC lets through and Visual C++ does not:
# a class declared `struct` elsewhere (Microsoft's mangled names differ, and the link
# fails), variable-length arrays and other GNU extensions, C++20 features in C++17.
# Target `clang_check` (tools/test.sh builds it); a source is checked again when it or
# a header it includes changed.
if(NOT MINGW OR NOT CMAKE_CROSSCOMPILING)
  return()
endif()
find_program(TM_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(NOT TM_CLANGXX)
  message(WARNING "clang++ not found (tools/install-deps.sh installs it): the second-compiler check is left out")
  return()
endif()

# The cross compiler's include search list, in its order, without GCC's own built-in
# headers (intrinsics, stddef.h): clang brings its own.
execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -E -x c++ -v -
                INPUT_FILE /dev/null OUTPUT_QUIET ERROR_VARIABLE _gcc_says)
string(REGEX MATCH "#include <\\.\\.\\.> search starts here:\n(.*)\nEnd of search list" _ "${_gcc_says}")
string(REPLACE "\n" ";" _gcc_dirs "${CMAKE_MATCH_1}")
execute_process(COMMAND "${TM_CLANGXX}" -print-resource-dir OUTPUT_VARIABLE _clang_res OUTPUT_STRIP_TRAILING_WHITESPACE)
set(_include_dirs)
foreach(_dir IN LISTS _gcc_dirs)
  string(STRIP "${_dir}" _dir)
  get_filename_component(_dir "${_dir}" REALPATH)
  if(_dir MATCHES "/lib/gcc/[^/]+/[^/]+/include(-fixed)?$")
    set(_dir "${_clang_res}/include")
  endif()
  list(APPEND _include_dirs "${_dir}")
endforeach()
list(REMOVE_DUPLICATES _include_dirs)
if(NOT _include_dirs)
  message(FATAL_ERROR "Could not read the include folders of ${CMAKE_CXX_COMPILER}")
endif()
set(_system_includes)
foreach(_dir IN LISTS _include_dirs)
  list(APPEND _system_includes -isystem "${_dir}")
endforeach()

set(TM_CLANG_FLAGS --target=x86_64-w64-mingw32 -std=c++17 -fsyntax-only -nostdinc ${_system_includes}
    # the dependencies' headers count as system headers: their warnings are not ours
    --system-header-prefix=gtest/ --system-header-prefix=nlohmann/ --system-header-prefix=sqlite3
    -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers -Wno-cast-function-type
    # what Visual C++ rejects or warns about at /W4
    -Werror=mismatched-tags -Werror=vla -Werror=gnu -Werror=c++20-extensions -Werror=c++20-designator
    -Werror=sometimes-uninitialized -Werror=uninitialized -Werror=return-type -Werror=macro-redefined
    -Werror=delete-non-abstract-non-virtual-dtor -Werror=reorder-ctor)

set(_stamps)
foreach(_target tm_core Tidemarker tm_logic_tests tm_gui_tests tm_bench)
  if(NOT TARGET ${_target})
    continue()
  endif()
  get_target_property(_sources ${_target} SOURCES)
  foreach(_src IN LISTS _sources)
    if(NOT _src MATCHES "\\.cpp$" OR _src MATCHES "^\\$<")
      continue()
    endif()
    get_filename_component(_abs "${_src}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    file(RELATIVE_PATH _rel "${CMAKE_CURRENT_SOURCE_DIR}" "${_abs}")
    set(_stamp "${CMAKE_BINARY_DIR}/clang-check/${_rel}.ok")
    if(_stamp IN_LIST _stamps)  # the fakes are in both test programs
      continue()
    endif()
    list(APPEND _stamps "${_stamp}")
    get_filename_component(_stamp_dir "${_stamp}" DIRECTORY)
    file(MAKE_DIRECTORY "${_stamp_dir}")
    add_custom_command(OUTPUT "${_stamp}"
      COMMAND "${TM_CLANGXX}" ${TM_CLANG_FLAGS}
              "-D$<JOIN:$<TARGET_PROPERTY:${_target},COMPILE_DEFINITIONS>,;-D>"
              "-I$<JOIN:$<TARGET_PROPERTY:${_target},INCLUDE_DIRECTORIES>,;-I>"
              -MD -MF "${_stamp}.d" -MT "${_stamp}" "${_abs}"
      COMMAND "${CMAKE_COMMAND}" -E touch "${_stamp}"
      DEPENDS "${_abs}"
      DEPFILE "${_stamp}.d"
      COMMENT "clang: ${_rel}"
      COMMAND_EXPAND_LISTS VERBATIM)
  endforeach()
endforeach()
add_custom_target(clang_check DEPENDS ${_stamps})
add_dependencies(clang_check tm_core)  # its generated header must exist first
