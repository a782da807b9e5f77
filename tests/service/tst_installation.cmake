# Installs this build (cmake --install) into a /usr/local of the test's own.
add_dependencies(${TEST_TARGET} ambrel ambrelsvc ambrel_translations)
