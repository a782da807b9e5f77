# The service program. It lands in the top of the build tree, beside the
# desktop program ("sudo build/ambrelsvc -i").
set(AMBRELSVC_SOURCES ambrelservice.cpp ambrelservice.h main.cpp servicebackend.cpp servicebackend.h)
list(TRANSFORM AMBRELSVC_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_executable(ambrelsvc ${AMBRELSVC_SOURCES})
target_include_directories(ambrelsvc PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(ambrelsvc PRIVATE ambrelservicehost ambrelcore_svc PkgConfig::HIDAPI)
set_target_properties(ambrelsvc PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
