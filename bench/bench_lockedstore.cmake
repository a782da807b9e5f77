# Runs both programs against the simulated UPS process of the tests.
if(TARGET ambrel_upssim)
    add_dependencies(${BENCH_TARGET} ambrel ambrelsvc ambrel_upssim)
    target_compile_definitions(${BENCH_TARGET} PRIVATE AMBREL="$<TARGET_FILE:ambrel>"
        AMBRELSVC="$<TARGET_FILE:ambrelsvc>" AMBREL_UPSSIM="$<TARGET_FILE:ambrel_upssim>")
else()
    set_target_properties(${BENCH_TARGET} PROPERTIES EXCLUDE_FROM_ALL TRUE)
endif()
