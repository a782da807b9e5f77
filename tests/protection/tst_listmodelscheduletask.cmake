target_link_libraries(${TEST_TARGET} PRIVATE Qt5::Sql)
ambrel_test_also_under_locale(ar_EG)
