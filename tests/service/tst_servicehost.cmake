add_dependencies(${TEST_TARGET} ambrel_testservice)
target_compile_definitions(${TEST_TARGET} PRIVATE AMBREL_TESTSERVICE="$<TARGET_FILE:ambrel_testservice>")
# Installs this build (cmake --install) into a /usr/local of the test's own.
add_dependencies(${TEST_TARGET} ambrel ambrelsvc ambrel_translations)
