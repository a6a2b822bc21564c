# GoogleTest for every build: Debian's packages on the host, and built from the
# sources Debian installs under /usr/src/googletest for MinGW.
if(NOT BUILD_TESTING)
    return()
endif()

if(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        # The 64-bit Windows build runs its tests here under Wine in a prefix of its own.
        set(TARN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    else()
        # The 32-bit build runs its tests in the 32-bit test machine (testing/vm32),
        # in the prefix that machine has booted.
        set(TARN_WINEPREFIX -)
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run ${TARN_WINEPREFIX})
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# tarn_add_gtest(name SOURCES ... [LIBS ...] [LOCK resource] [TIMEOUT s])
# One test executable; each GoogleTest case becomes one ctest test.
# LOCK serialises suites that share global state; the Wine suites all take
# "wine_session": its SCM and its desktop, whose pixels some tests read.
function(tarn_add_gtest name)
    cmake_parse_arguments(T "" "LOCK;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main tarn_warnings)
    set(props TIMEOUT 120)
    if(T_TIMEOUT)
        set(props TIMEOUT ${T_TIMEOUT})
    endif()
    if(T_LOCK)
        list(APPEND props RESOURCE_LOCK ${T_LOCK})
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES ${props})
endfunction()
