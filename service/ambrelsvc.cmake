# The service program: its watcher and service object in a library of their
# own (the tests link it), and the program itself.
add_library(ambrelsvcobjects STATIC
    ${CMAKE_CURRENT_LIST_DIR}/servicebackend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/servicebackend.h)
ambrel_track_sources(ambrelsvcobjects)
target_include_directories(ambrelsvcobjects PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(ambrelsvcobjects PUBLIC ambrelcore_svc)
