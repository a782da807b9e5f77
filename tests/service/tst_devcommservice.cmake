# The service's watcher is a class of the service program itself.
target_sources(${TEST_TARGET} PRIVATE ${PROJECT_SOURCE_DIR}/service/servicebackend.cpp)
target_include_directories(${TEST_TARGET} PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(${TEST_TARGET} PRIVATE Qt5::Network Qt5::SerialPort)
