# Runs the service program and the simulated UPS as child processes.
add_dependencies(${TEST_TARGET} ambrelsvc ambrel_upssim)
target_compile_definitions(${TEST_TARGET} PRIVATE
    AMBRELSVC="$<TARGET_FILE:ambrelsvc>" AMBREL_UPSSIM="$<TARGET_FILE:ambrel_upssim>")
target_link_libraries(${TEST_TARGET} PRIVATE Qt5::DBus Qt5::Sql)
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 300)
