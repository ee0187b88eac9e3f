# Skin administrator tests. make_skin_databases.py packs the test skins under skins/ with the skin
# packer (tools/skinpack) and writes damaged containers into the build folder, where the Wine tests
# read them through drive Z:.
add_test(NAME skin_admin_databases
    COMMAND /usr/bin/python3 ${TEST_DIR}/make_skin_databases.py ${CMAKE_BINARY_DIR}/skin-admin-samples)
set_tests_properties(skin_admin_databases PROPERTIES FIXTURES_SETUP skin_admin_databases LABELS unit)

tavrin_add_gtest(skin_admin_test
    SOURCES ${TEST_DIR}/SkinDatabaseFiles.cpp ${TEST_DIR}/SkinContainerTest.cpp
    LIBS skin_model_test_support
    LABELS unit)

set_tests_properties(skin_admin_test PROPERTIES FIXTURES_REQUIRED skin_admin_databases
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
