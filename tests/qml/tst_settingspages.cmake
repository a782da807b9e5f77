# Runs under a French system locale, so following the system language loads
# the French texts.
set_tests_properties(qml/${TEST_TARGET} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;LC_ALL=fr_FR.UTF-8;LANG=fr_FR.UTF-8")
