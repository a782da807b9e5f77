# Loads the program's window through the fixture of the QML tests.
if(TARGET ambreltestsupport)
    target_link_libraries(${BENCH_TARGET} PRIVATE ambrelapp ambreltestsupport Qt5::Test)
    target_include_directories(${BENCH_TARGET} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_dependencies(${BENCH_TARGET} ambrel)
else()
    set_target_properties(${BENCH_TARGET} PROPERTIES EXCLUDE_FROM_ALL TRUE)
endif()
