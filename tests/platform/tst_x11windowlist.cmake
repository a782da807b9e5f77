pkg_check_modules(AMBREL_TEST_XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(${TEST_TARGET} PRIVATE PkgConfig::AMBREL_TEST_XCB)
