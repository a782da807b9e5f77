# Checked builds (clang):
#   AMBREL_SANITIZE     every target built with AddressSanitizer and
#                       UndefinedBehaviorSanitizer; undefined behaviour ends
#                       the program.
#   AMBREL_BUILD_FUZZ   the libFuzzer targets of fuzz/; the project's code is
#                       compiled with coverage for them. Needs AMBREL_SANITIZE.
# The run-time options of both live in cmake/sanitizer-options.cmake, which
# CTest reads before it starts any test.
option(AMBREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(AMBREL_BUILD_FUZZ "Build the libFuzzer targets of fuzz/" OFF)

if(AMBREL_BUILD_FUZZ AND NOT AMBREL_SANITIZE)
    message(FATAL_ERROR "AMBREL_BUILD_FUZZ needs AMBREL_SANITIZE")
endif()

if(AMBREL_SANITIZE)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "AMBREL_SANITIZE needs clang (CXX=clang++ CC=clang)")
    endif()
    set(AMBREL_SANITIZER_FLAGS
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_compile_options(${AMBREL_SANITIZER_FLAGS})
    add_link_options(${AMBREL_SANITIZER_FLAGS})
    if(AMBREL_BUILD_FUZZ)
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
        TEST_INCLUDE_FILES ${PROJECT_SOURCE_DIR}/cmake/sanitizer-options.cmake)
endif()
