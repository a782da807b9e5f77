# Runs both programs and the simulated UPS as child processes.
add_dependencies(${TEST_TARGET} ambrelsvc ambrel_upssim)
target_compile_definitions(${TEST_TARGET} PRIVATE
    AMBRELSVC="$<TARGET_FILE:ambrelsvc>" AMBREL_UPSSIM="$<TARGET_FILE:ambrel_upssim>")
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 240)
