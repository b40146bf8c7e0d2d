# The fakes and helpers in tests/support, for the tests, the fuzz targets and
# the benchmarks. Headers only; a test that includes one standing in for a
# library above the core (fakedialogs.h, fakerunwindow.h) links that library.
add_library(zevo_test_support INTERFACE)
target_include_directories(zevo_test_support INTERFACE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(zevo_test_support INTERFACE zevo_core)

# zevo_add_test(NAME SOURCES ... LIBS ... [WIDGETS])
# Widget tests run on Qt's offscreen platform so they need no display. Every
# test sees the shared support headers.
function(zevo_add_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test zevo_test_support ${ARG_LIBS})
    if(ARG_WIDGETS AND WIN32 AND CMAKE_CROSSCOMPILING)
        # Wine does not hand QT_* variables on to Windows programs; the
        # platform is chosen on the command line instead.
        add_test(NAME ${name} COMMAND ${name} -platform offscreen)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set(env "LC_ALL=C.UTF-8")
    if(ARG_WIDGETS)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(ZEVO_SANITIZE)
        list(APPEND env
            "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1"
            "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp:print_suppressions=0"
            "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()
