# Starts the real program some twenty times, which takes long in the
# sanitizer build.
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 240)
add_dependencies(${TEST_TARGET} ambrel_upssim ambrelsvc)
target_compile_definitions(${TEST_TARGET} PRIVATE AMBREL_UPSSIM="$<TARGET_FILE:ambrel_upssim>")
