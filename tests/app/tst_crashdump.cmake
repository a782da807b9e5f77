# The crashing child loads the library that holds the dynamic loader's lock.
add_dependencies(${TEST_TARGET} ambrel_holdloaderlock)
target_compile_definitions(${TEST_TARGET} PRIVATE
    AMBREL_HOLD_LOADER_LOCK_LIBRARY="$<TARGET_FILE:ambrel_holdloaderlock>")
target_link_libraries(${TEST_TARGET} PRIVATE ${CMAKE_DL_LIBS})
# The dump is named by the local time: also in a zone with a half-hour offset
# and daylight-saving time.
ambrel_test_also_under_time_zone(America/St_Johns)
