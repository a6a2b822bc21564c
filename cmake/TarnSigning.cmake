# Authenticode signing of what ships, when a code-signing certificate is given.
# The password is never a cache value or an argument: it is read from the file
# TARN_SIGN_PASSWORD_FILE names, or else from the environment variable
# TARN_SIGN_PASSWORD of the build.
set(TARN_SIGN_PKCS12 "" CACHE FILEPATH "Code-signing certificate and key, PKCS#12 (empty: unsigned)")
set(TARN_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the certificate's password")
set(TARN_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server (optional)")

if(TARN_SIGN_PKCS12)
    # Missing, it stops the configure step rather than the first link.
    find_program(TARN_OSSLSIGNCODE osslsigncode REQUIRED)
    # The signing command, with the signing settings in its environment; NSIS's
    # finalize commands inherit them from makensis.
    set(TARN_SIGN_ENV "${CMAKE_COMMAND}" -E env
        "TARN_SIGN_PKCS12=${TARN_SIGN_PKCS12}"
        "TARN_SIGN_PASSWORD_FILE=${TARN_SIGN_PASSWORD_FILE}"
        "TARN_SIGN_TIMESTAMP_URL=${TARN_SIGN_TIMESTAMP_URL}")
    set(TARN_SIGN_TOOL "${PROJECT_SOURCE_DIR}/cmake/sign-pe")
    message(STATUS "Signing with ${TARN_SIGN_PKCS12}")
else()
    message(STATUS "No code-signing certificate (TARN_SIGN_PKCS12): the output is unsigned")
endif()

# Signs the target's file in place after each link.
function(tarn_sign target)
    if(TARN_SIGN_PKCS12)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${TARN_SIGN_ENV} "${TARN_SIGN_TOOL}" "$<TARGET_FILE:${target}>"
            VERBATIM)
    endif()
endfunction()
