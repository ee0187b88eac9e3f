# Window skinning tests: message-level tests on real windows under Wine and Xvfb.
tavrin_add_gtest(skin_window_test
    SOURCES ${TEST_DIR}/WindowTestSupport.cpp ${TEST_DIR}/SubclassChainTest.cpp ${TEST_DIR}/ChainLifetimeTest.cpp ${TEST_DIR}/ReflectionTest.cpp
    ${TEST_DIR}/MouseStateTrackerTest.cpp ${TEST_DIR}/DrawingHelpersTest.cpp
    LIBS skin_window skin_model_test_support comctl32
    LABELS unit)
# A process that dies without a word can still end with code 0 under Wine: success means that
# GoogleTest reported its summary without failures.
set_tests_properties(skin_window_test PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
