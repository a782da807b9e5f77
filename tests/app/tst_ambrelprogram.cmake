# Starts the real program some twenty times, which takes long in the
# sanitizer build.
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 240)
