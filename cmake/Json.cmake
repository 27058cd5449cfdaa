# nlohmann/json, header-only: Debian's nlohmann-json3-dev (tools/install-deps.sh), or any
# installed copy named by -DTM_JSON_INCLUDE_DIR=<folder holding nlohmann/json.hpp>.
find_path(TM_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT TM_JSON_INCLUDE_DIR)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (tools/install-deps.sh) "
                      "or pass -DTM_JSON_INCLUDE_DIR=<folder that holds nlohmann/json.hpp>")
endif()
set(TM_JSON_INCLUDE "${TM_JSON_INCLUDE_DIR}")
if(CMAKE_CROSSCOMPILING)
  # The host's include folder must not come before the cross compiler's own headers:
  # only its nlohmann folder is linked into the build tree and put on the path.
  set(TM_JSON_INCLUDE "${CMAKE_BINARY_DIR}/json-include")
  file(MAKE_DIRECTORY "${TM_JSON_INCLUDE}")
  file(CREATE_LINK "${TM_JSON_INCLUDE_DIR}/nlohmann" "${TM_JSON_INCLUDE}/nlohmann" SYMBOLIC)
endif()
target_include_directories(tm_core SYSTEM PRIVATE "${TM_JSON_INCLUDE}")
