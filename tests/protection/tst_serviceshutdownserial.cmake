target_link_libraries(${TEST_TARGET} PRIVATE Qt5::Sql)
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 240)
