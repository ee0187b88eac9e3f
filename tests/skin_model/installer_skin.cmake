# The installer's own skin. The check runs on the host before any Windows code: every document
# parses, everything it names exists in reading order, and every style the views pass is defined.
add_test(NAME installer_skin_check
    COMMAND /usr/bin/python3 ${TEST_DIR}/installer_skin_check.py ${TAVRIN_SKIN_SOURCE} ${CMAKE_SOURCE_DIR}/installer)
set_tests_properties(installer_skin_check PROPERTIES LABELS unit
    PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")
