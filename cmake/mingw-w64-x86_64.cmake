# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model: Qt's threads and std::thread need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEVO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZEVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEVO_MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come only from the MinGW sysroot and
# the prefixes in CMAKE_PREFIX_PATH (the Windows Qt and libxlsxwriter), never
# from the host's /usr, whose Vulkan or zlib headers are Linux's; programs
# (moc, rcc, ...) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZEVO_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
