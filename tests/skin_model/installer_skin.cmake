# The installer's own skin. The check runs on the host before any Windows code: every document
# parses, everything it names exists in reading order, and every style the views pass is defined.
add_test(NAME installer_skin_check
    COMMAND /usr/bin/python3 ${TEST_DIR}/installer_skin_check.py ${TAVRIN_SKIN_SOURCE} ${CMAKE_SOURCE_DIR}/installer)
set_tests_properties(installer_skin_check PROPERTIES LABELS unit
    PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")

# The skin administrator over the real installer skin, embedded as in the executable.
tavrin_add_gtest(installer_skin_test
    SOURCES ${TEST_DIR}/InstallerSkinTest.cpp
    LIBS skin_model_test_support installer_skin
    LABELS unit)
set_tests_properties(installer_skin_test PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
