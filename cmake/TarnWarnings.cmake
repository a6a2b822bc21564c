# One place for the warning set and the sanitizers; every target links tarn_warnings.
add_library(tarn_warnings INTERFACE)
target_compile_options(tarn_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wnull-dereference
    -Wimplicit-fallthrough)
if(WIN32)
    # Wide-character Win32 everywhere, and nothing from the headers we do not use.
    target_compile_definitions(tarn_warnings INTERFACE
        UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
if(TARN_SANITIZE AND NOT WIN32)
    target_compile_options(tarn_warnings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tarn_warnings INTERFACE -fsanitize=address,undefined)
endif()
if(TARN_FUZZ AND NOT WIN32)
    # Coverage feedback for libFuzzer in every library; the targets link its driver.
    target_compile_options(tarn_warnings INTERFACE -fsanitize=fuzzer-no-link)
endif()
