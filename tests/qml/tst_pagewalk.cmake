# Reads the self-test chart's axis labels where the chart draws them.
find_package(Qt5 5.15 REQUIRED COMPONENTS Charts)
target_link_libraries(${TEST_TARGET} PRIVATE Qt5::Charts)
