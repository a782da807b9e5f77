# The simulated serial UPS as a program of its own (for end-to-end tests).
add_executable(ambrel_upssim ${CMAKE_CURRENT_LIST_DIR}/upssim/main.cpp)
target_link_libraries(ambrel_upssim PRIVATE ambreltestsupport Qt5::Core)
