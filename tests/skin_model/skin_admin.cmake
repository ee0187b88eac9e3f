# Skin administrator tests. make_skin_databases.py packs the test skins under skins/ with the skin
# packer (tools/skinpack) and writes damaged containers into the build folder, where the Wine tests
# read them through drive Z:.
add_test(NAME skin_admin_databases
    COMMAND /usr/bin/python3 ${TEST_DIR}/make_skin_databases.py ${CMAKE_BINARY_DIR}/skin-admin-samples)
set_tests_properties(skin_admin_databases PROPERTIES FIXTURES_SETUP skin_admin_databases LABELS unit)

# The resource skin is packed at build time and linked into the test as "SKINDB" 2029.
set(skin_admin_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-admin-resource)
add_custom_command(OUTPUT ${skin_admin_resource_dir}/resource.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_admin_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/resource
            ${skin_admin_resource_dir}/resource.skindb --title resource
    DEPENDS ${TEST_DIR}/skins/resource/main.xml ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_admin_resource DEPENDS ${skin_admin_resource_dir}/resource.skindb)
set_source_files_properties(${TEST_DIR}/SkinAdminResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_admin_resource_dir}/resource.skindb)

tavrin_add_gtest(skin_admin_test
    SOURCES ${TEST_DIR}/SkinDatabaseFiles.cpp ${TEST_DIR}/SkinContainerTest.cpp ${TEST_DIR}/SkinAdminTest.cpp
            ${TEST_DIR}/UiLogTest.cpp ${TEST_DIR}/SkinServicesTest.cpp
            ${TEST_DIR}/SkinAdminResource.rc
    LIBS skin_model_test_support
    LABELS unit)
target_include_directories(skin_admin_test PRIVATE ${skin_admin_resource_dir})
add_dependencies(skin_admin_test skin_admin_resource)

set_tests_properties(skin_admin_test PROPERTIES FIXTURES_REQUIRED skin_admin_databases
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# Damaged containers for the skin administrator; passes when nothing crashes or hangs.
tavrin_add_gtest(skin_admin_mutation
    SOURCES ${TEST_DIR}/SkinDatabaseFiles.cpp ${TEST_DIR}/SkinAdminMutationTest.cpp
    LIBS skin_model_test_support test_support
    LABELS mutation
    TIMEOUT 900)
set_tests_properties(skin_admin_mutation PROPERTIES FIXTURES_REQUIRED skin_admin_databases
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
