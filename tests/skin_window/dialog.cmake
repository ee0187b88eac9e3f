# The entry functions, the control factory and the extended dialog, against a packed test skin loaded
# through uiLoadSkin as "SKINDB" 2029.
set(skin_dialog_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-dialog-resource)
add_custom_command(OUTPUT ${skin_dialog_resource_dir}/dialog.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_dialog_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/dialog
            ${skin_dialog_resource_dir}/dialog.skindb --title dialog
    DEPENDS ${TEST_DIR}/skins/dialog/main.xml ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_dialog_resource DEPENDS ${skin_dialog_resource_dir}/dialog.skindb)
set_source_files_properties(${TEST_DIR}/DialogSkinResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_dialog_resource_dir}/dialog.skindb)

tavrin_add_gtest(skin_dialog_test
    SOURCES ${TEST_DIR}/SkinFactoryTest.cpp ${TEST_DIR}/SkinDialogExTest.cpp ${TEST_DIR}/DialogTestSupport.cpp
            ${TEST_DIR}/DialogSkinResource.rc
    LIBS skin_window comctl32
    LABELS unit)
target_include_directories(skin_dialog_test PRIVATE ${skin_dialog_resource_dir})
add_dependencies(skin_dialog_test skin_dialog_resource)
set_tests_properties(skin_dialog_test PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
