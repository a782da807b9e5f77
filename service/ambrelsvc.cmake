# The service program: its service object and watcher in a library of their
# own (the tests link it), and the program itself.
add_library(ambrelsvcobjects STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ambrelservice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ambrelservice.h
    ${CMAKE_CURRENT_LIST_DIR}/servicebackend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/servicebackend.h)
ambrel_track_sources(ambrelsvcobjects)
target_include_directories(ambrelsvcobjects PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(ambrelsvcobjects PUBLIC ambrelservicehost ambrelcore_svc)

# Lands in the top of the build tree, beside the desktop program
# ("sudo build/ambrelsvc -i").
add_executable(ambrelsvc ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(ambrelsvc PRIVATE ambrelsvcobjects PkgConfig::HIDAPI)
set_target_properties(ambrelsvc PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
