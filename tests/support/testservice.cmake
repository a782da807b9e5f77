# A small service on the service host, run as a child process by the tests of
# the host (see testservice/main.cpp).
add_executable(ambrel_testservice ${CMAKE_CURRENT_LIST_DIR}/testservice/main.cpp)
target_link_libraries(ambrel_testservice PRIVATE ambrelservicehost)
