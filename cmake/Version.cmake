# The program's version resource takes its numbers from project(), its texts from
# here; the packages (cmake/Package.cmake) use the same variables.
set(TM_PRODUCT_NAME "Tidemarker")
set(TM_DESCRIPTION "Tidemarker favorites manager")
set(TM_COPYRIGHT "Copyright (C) 2026 The Tidemarker developers")

configure_file("${CMAKE_CURRENT_SOURCE_DIR}/res/Version.h.in"
               "${CMAKE_BINARY_DIR}/generated/Version.h" @ONLY)
target_include_directories(tm_res PRIVATE "${CMAKE_BINARY_DIR}/generated")
