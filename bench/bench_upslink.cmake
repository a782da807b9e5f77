# The link is measured against the simulated serial UPS of the tests.
target_sources(${BENCH_TARGET} PRIVATE
    ${PROJECT_SOURCE_DIR}/tests/support/simulatedups.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/simulatedups.h)
target_include_directories(${BENCH_TARGET} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(${BENCH_TARGET} PRIVATE util)
