target_link_libraries(${TEST_TARGET} PRIVATE Qt5::Sql)
