# GoogleTest from Debian's source package, built with the same (cross) toolchain.
set(TM_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory("${TM_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
enable_testing()

set(TM_TEST_ENV "TM_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
# Test suites whose name ends in "OnServers" talk to the real WebDAV servers: they run
# only in the entries below that start those servers.
set(TM_SERVER_TESTS "*OnServers.*")

# Plain C++ logic and the store: no windows.
file(GLOB_RECURSE TM_LOGIC_TEST_SOURCES CONFIGURE_DEPENDS tests/logic/*.cpp)
file(GLOB_RECURSE TM_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
add_executable(tm_logic_tests ${TM_LOGIC_TEST_SOURCES} ${TM_FAKE_SOURCES} tests/logic_main.cpp)
target_link_libraries(tm_logic_tests PRIVATE tm_core gtest ws2_32)
target_include_directories(tm_logic_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/tests")
target_compile_options(tm_logic_tests PRIVATE ${TM_WARNINGS})
target_link_options(tm_logic_tests PRIVATE ${TM_STATIC_LINK})
add_test(NAME logic COMMAND tm_logic_tests --gtest_filter=-${TM_SERVER_TESTS})

# Real windows and dialogs, driven by messages (needs an X display under Wine).
file(GLOB_RECURSE TM_GUI_TEST_SOURCES CONFIGURE_DEPENDS tests/gui/*.cpp)
add_executable(tm_gui_tests ${TM_GUI_TEST_SOURCES} ${TM_FAKE_SOURCES} tests/gui_main.cpp
               tests/gui/TestResources.rc $<TARGET_OBJECTS:tm_res>)
target_link_libraries(tm_gui_tests PRIVATE tm_core gtest ws2_32)
target_include_directories(tm_gui_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/tests")
target_compile_options(tm_gui_tests PRIVATE ${TM_WARNINGS})
target_link_options(tm_gui_tests PRIVATE ${TM_STATIC_LINK})
add_test(NAME gui COMMAND tm_gui_tests --gtest_filter=-${TM_SERVER_TESTS})

set_tests_properties(logic gui PROPERTIES ENVIRONMENT "${TM_TEST_ENV}" TIMEOUT 900)

# The real WebDAV servers (Apache with mod_dav over http and https, rclone), Linux
# programs on 127.0.0.1 started by tools/webdav-servers.sh before the tests that need
# them and stopped after, also when a test fails. The server tests run twice: against
# Apache over http, then over https (TM_WEBDAV_HTTPS), with rclone in both runs.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(TM_DAV_DIR "${CMAKE_BINARY_DIR}/webdav")
  add_test(NAME webdav_start COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/tools/webdav-servers.sh" start "${TM_DAV_DIR}")
  add_test(NAME webdav_stop COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/tools/webdav-servers.sh" stop "${TM_DAV_DIR}")
  set_tests_properties(webdav_start PROPERTIES FIXTURES_SETUP webdav)
  set_tests_properties(webdav_stop PROPERTIES FIXTURES_CLEANUP webdav)
  foreach(kind logic gui)
    foreach(scheme http https)
      add_test(NAME ${kind}_servers_${scheme} COMMAND tm_${kind}_tests --gtest_filter=${TM_SERVER_TESTS})
      set(env "${TM_TEST_ENV};TM_WEBDAV_SERVERS=${TM_DAV_DIR}/servers.ini")
      if(scheme STREQUAL "https")
        list(APPEND env "TM_WEBDAV_HTTPS=1")
      endif()
      set_tests_properties(${kind}_servers_${scheme} PROPERTIES FIXTURES_REQUIRED webdav ENVIRONMENT "${env}"
                           TIMEOUT 600)
    endforeach()
  endforeach()
endif()

# The main window once more on a display at 150 %, in a Wine prefix of its own.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(TM_SCALED_TESTS "DisplayScaleTest.*:MainWindowTest.ControlsFollowTheLayoutAtEachWidth:MainWindowTest.MinimumSizePerMode")
  add_test(NAME gui_150_percent
           COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/tools/wine-run-at-dpi.sh" 144 "${CMAKE_BINARY_DIR}/wineprefix-144"
                   $<TARGET_FILE:tm_gui_tests> --gtest_filter=${TM_SCALED_TESTS})
  set_tests_properties(gui_150_percent PROPERTIES TIMEOUT 300)
endif()

# The benchmark: a Windows program, run under Wine by tools/bench.sh.
file(GLOB TM_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(TM_BENCH_SOURCES)
  add_executable(tm_bench ${TM_BENCH_SOURCES} $<TARGET_OBJECTS:tm_res>)
  target_link_libraries(tm_bench PRIVATE tm_core)
  target_compile_options(tm_bench PRIVATE ${TM_WARNINGS})
  target_link_options(tm_bench PRIVATE ${TM_STATIC_LINK})
endif()

# The bookmark HTML export read back by an independent parser (Python's html.parser);
# tools/install-deps.sh installs python3, and without it the check is left out.
find_program(TM_PYTHON3 python3)
if(TM_PYTHON3)
  add_test(NAME html_peer COMMAND "${TM_PYTHON3}" "${CMAKE_CURRENT_SOURCE_DIR}/tests/peer/check_bookmark_html.py"
           "${CMAKE_BINARY_DIR}/html-peer" $<TARGET_FILE:tm_logic_tests> ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(html_peer PROPERTIES ENVIRONMENT "${TM_TEST_ENV}" TIMEOUT 300)
else()
  message(STATUS "python3 not found: the html_peer check is skipped")
endif()
