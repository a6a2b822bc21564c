# The same commit gives the same bytes wherever and whenever it is built: no build
# folder is written into a binary, and the PE time stamps come from the commit
# (SOURCE_DATE_EPOCH, which MinGW-w64's linker honours).
add_compile_options(
    "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
    "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(TARN_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE TARN_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
endif()
if(TARN_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    # Part of the link command, so that a new commit time relinks.
    foreach(lang C CXX)
        set(CMAKE_${lang}_LINKER_LAUNCHER
            "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${TARN_SOURCE_DATE_EPOCH}")
    endforeach()
else()
    message(STATUS "No commit time (no git, no SOURCE_DATE_EPOCH): the programs carry the build time")
endif()
