# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which Qt needs). Programs built here run under wine (cmake/wine-run):
# the tests, and GoogleTest's discovery of them at build time.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(toolchain_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${toolchain_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${toolchain_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${toolchain_prefix}-windres)
set(CMAKE_AR ${toolchain_prefix}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${toolchain_prefix}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${toolchain_prefix}-strip CACHE FILEPATH "")

# Libraries and headers only from the MinGW tree (and the prefixes added to
# CMAKE_PREFIX_PATH or CMAKE_FIND_ROOT_PATH); build tools from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${toolchain_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
