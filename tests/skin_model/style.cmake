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

# The inheritance tests read styles through the skin administrator from a database that the skin
# packer builds into the build folder first.
add_test(NAME style_databases
    COMMAND sh -c "mkdir -p '${CMAKE_BINARY_DIR}/style-samples' && /usr/bin/python3 '${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py' '${TEST_DIR}/style_skins/inherit' '${CMAKE_BINARY_DIR}/style-samples/inherit.skindb' --skin-folder inherit")
set_tests_properties(style_databases PROPERTIES FIXTURES_SETUP style_databases LABELS unit)

tavrin_add_gtest(style_inheritance_test
    SOURCES ${TEST_DIR}/StyleInheritanceTest.cpp
    LIBS style_test_support
    LABELS unit)
set_tests_properties(style_inheritance_test PROPERTIES FIXTURES_REQUIRED style_databases
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# Damaged style documents; passes when nothing crashes or hangs.
tavrin_add_gtest(style_mutation
    SOURCES ${TEST_DIR}/StyleMutationTest.cpp
    LIBS style_test_support test_support
    LABELS mutation
    TIMEOUT 900)
set_tests_properties(style_mutation PROPERTIES FIXTURES_REQUIRED style_databases
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
