# Runs as tst_ambrelsvc does.
include(${CMAKE_CURRENT_LIST_DIR}/tst_ambrelsvc.cmake)
