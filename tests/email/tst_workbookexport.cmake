# A history longer than a worksheet is stored, exported and read back.
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 300)
