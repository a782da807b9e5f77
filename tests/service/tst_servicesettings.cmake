# Runs the service program as a child process.
add_dependencies(${TEST_TARGET} ambrelsvc)
target_compile_definitions(${TEST_TARGET} PRIVATE AMBRELSVC="$<TARGET_FILE:ambrelsvc>")
