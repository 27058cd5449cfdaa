# Cross-compiles the Windows x64 program with MinGW-w64 (posix threads) on Linux;
# programs built here run under Wine through the emulator script.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TM_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${TM_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TM_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TM_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TM_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
