# Zevo for Windows, cross-built on Debian (./build.sh windows). The tests run
# under Wine: CMake puts the emulator before every test program. Wine keeps
# its own Windows (the prefix) in the build folder and finds the Qt, MinGW
# and libxlsxwriter DLLs through WINEPATH.
set(ZEVO_WINE "/usr/lib/wine/wine64" CACHE FILEPATH "Wine for running the Windows tests")

# Folders whose DLLs the programs load: Qt's and libxlsxwriter's bin/ of the
# prefix, and the compiler's runtime (libstdc++, libgcc_s, winpthread).
set(zevo_dll_dirs)
foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
    if(EXISTS "${prefix}/bin")
        list(APPEND zevo_dll_dirs "${prefix}/bin")
    endif()
endforeach()
foreach(runtime libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${path}")
        get_filename_component(dir "${path}" DIRECTORY)
        list(APPEND zevo_dll_dirs "${dir}")
    endif()
endforeach()
list(REMOVE_DUPLICATES zevo_dll_dirs)
set(ZEVO_WINDOWS_DLL_DIRS "${zevo_dll_dirs}" CACHE INTERNAL "")
# Wine takes Unix paths in WINEPATH, separated by ';'.
string(REPLACE ";" "\\;" zevo_winepath "${zevo_dll_dirs}")

set(ZEVO_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
               WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
