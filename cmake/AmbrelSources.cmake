# Sources are globbed. With Ninja, the automatic moc step of a target reruns
# only when a file it scanned before changes, so a header that a new glob
# brings in would never be run through moc. Each globbed target therefore
# carries one generated source listing its files: it changes exactly when the
# glob does, and that makes the moc step run again.
function(ambrel_track_sources target)
    get_target_property(sources ${target} SOURCES)
    list(SORT sources)
    string(REPLACE ";" "\n// " listing "${sources}")
    set(file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.cpp)
    file(CONFIGURE OUTPUT ${file} CONTENT "// Files of ${target}:\n// ${listing}\n")
    target_sources(${target} PRIVATE ${file})
endfunction()
