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

# tarn_add_gtest(name SOURCES ... [LIBS ...] [SESSION] [SHARDS n])
# One test executable. Natively each GoogleTest case becomes one ctest test. Under Wine
# a program start costs about a second in emulation, so each program runs once (or once
# per shard), writing one result per case to test-results/TEST.xml, which
# scripts/common.sh reads. SESSION: the program uses the Wine session's SCM and desktop
# (whose pixels some tests read), so it takes one "session" resource from ctest's
# list of sessions, and cmake/wine-run runs it in that session; SHARDS splits a long
# program into that many runs, which the sessions share.
function(tarn_add_gtest name)
    cmake_parse_arguments(T "SESSION" "SHARDS" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main tarn_warnings)
    if(CMAKE_BUILD_TYPE STREQUAL MinSizeRel)
        # The shipped build's tests: the product's code as shipped, the tests' own code
        # compiled for a quick build (a third faster than size-optimised).
        target_compile_options(${name} PRIVATE -O1)
    endif()
    if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
            PROPERTIES TIMEOUT 120)
        return()
    endif()
    if(NOT T_SHARDS)
        set(T_SHARDS 1)
    endif()
    math(EXPR last "${T_SHARDS} - 1")
    foreach(shard RANGE ${last})
        set(test ${name})
        if(T_SHARDS GREATER 1)
            set(test ${name}.${shard})
        endif()
        # Z: is the host's root in every prefix.
        add_test(NAME ${test}
            COMMAND ${name} --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/test-results/${test}.xml)
        set_tests_properties(${test} PROPERTIES TIMEOUT 1200
            ENVIRONMENT "GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${shard}")
        if(T_SESSION)
            # The long ones first, so that the sessions end together.
            set_tests_properties(${test} PROPERTIES RESOURCE_GROUPS session:1 COST ${T_SHARDS})
        endif()
    endforeach()
endfunction()
