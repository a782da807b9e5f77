add_dependencies(${TEST_TARGET} ambrel_upssim)
target_compile_definitions(${TEST_TARGET} PRIVATE AMBREL_UPSSIM="$<TARGET_FILE:ambrel_upssim>")
