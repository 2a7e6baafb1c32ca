# kestrion_add_test(NAME name SOURCES files... LIBS targets...)
# One QtTest executable per unit. Every test runs without a display, in a fixed
# French-free C locale unless the test sets its own, with Qt's test mode paths.
function(kestrion_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test kestrion_testkit ${T_LIBS})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
        TIMEOUT 300)
endfunction()
