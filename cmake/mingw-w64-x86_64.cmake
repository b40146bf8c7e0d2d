# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model: Qt's threads and std::thread need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEVO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZEVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEVO_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot and the prefixes given in
# CMAKE_PREFIX_PATH/CMAKE_FIND_ROOT_PATH; programs (moc, rcc, ...) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZEVO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
