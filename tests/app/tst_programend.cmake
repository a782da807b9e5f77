# Runs the real program on an X server of its own against the simulated UPS
# process and a mock logind.
add_dependencies(${TEST_TARGET} ambrel_upssim)
target_compile_definitions(${TEST_TARGET} PRIVATE AMBREL_UPSSIM="$<TARGET_FILE:ambrel_upssim>")
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 240)
