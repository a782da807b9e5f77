# A library whose loading never ends, to stand for a thread caught inside the
# dynamic loader (see loaderlock/holdloaderlock.cpp).
add_library(ambrel_holdloaderlock MODULE ${CMAKE_CURRENT_LIST_DIR}/loaderlock/holdloaderlock.cpp)
