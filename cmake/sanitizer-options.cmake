# Run-time options of the sanitizer build, read by CTest before the tests run
# and by scripts/test.sh before the fuzz runs. The one place where they are set.
get_filename_component(_ambrel_cmake_dir "${CMAKE_CURRENT_LIST_FILE}" DIRECTORY)
set(ENV{ASAN_OPTIONS} "detect_leaks=0:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1")
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
