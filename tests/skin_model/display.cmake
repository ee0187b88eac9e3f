# Display items, display lists, text and mark-up, draw objects and frame animations.
tavrin_add_gtest(skin_display_test
    SOURCES ${TEST_DIR}/DisplayLayoutTest.cpp ${TEST_DIR}/DisplayListTest.cpp ${TEST_DIR}/DisplayPaintTest.cpp
            ${TEST_DIR}/DisplayProgressTest.cpp ${TEST_DIR}/DisplayTextTest.cpp ${TEST_DIR}/DrawObjTest.cpp ${TEST_DIR}/MovieTest.cpp
    LIBS skin_model_test_support
    LABELS unit)
set_tests_properties(skin_display_test PROPERTIES FIXTURES_REQUIRED skin_model_samples
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
