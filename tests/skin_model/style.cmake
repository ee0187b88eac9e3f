# Style tests: the schema and its records, styles with inheritance and copies, event items.
add_library(style_test_support STATIC ${TEST_DIR}/StyleTestSupport.cpp)
target_include_directories(style_test_support PUBLIC ${TEST_DIR})
target_link_libraries(style_test_support PUBLIC skin_model_test_support)
tavrin_warnings(style_test_support)

tavrin_add_gtest(style_test
    SOURCES ${TEST_DIR}/StyleSchemaTest.cpp ${TEST_DIR}/StyleTest.cpp ${TEST_DIR}/EventItemTest.cpp
    LIBS style_test_support
    LABELS unit)

# A process that dies without a word can still end with code 0 under Wine: success means that
# GoogleTest reported its summary without failures.
set_tests_properties(style_test PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
