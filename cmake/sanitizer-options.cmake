# Run-time options of the sanitizer build, read by CTest before it runs the
# tests and the fuzz targets. The one place where they are set.
# Leaks are not reported: Qt and the system libraries (fontconfig, Mesa, D-Bus)
# keep memory until exit. Locals stay on the real stack, where the QML engine
# looks for its stack limit.
set(ENV{ASAN_OPTIONS} "detect_leaks=0:detect_stack_use_after_return=0:check_initialization_order=1")
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")

# Run as a script, prints them for a shell:
#   eval "$(cmake -P cmake/sanitizer-options.cmake 2>&1)"
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    message("export ASAN_OPTIONS='$ENV{ASAN_OPTIONS}' UBSAN_OPTIONS='$ENV{UBSAN_OPTIONS}'")
endif()
