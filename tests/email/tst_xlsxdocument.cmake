# Exports a history longer than a worksheet.
set_tests_properties(${folder}/${name} PROPERTIES TIMEOUT 300)
