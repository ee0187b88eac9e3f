# The frame dialog, edit, combo box, tab control, toolbar, spin button, slider, group box and
# date-time picker on real windows under Wine and Xvfb: their message-level bookkeeping.
set(skin_window_misc_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-window-misc-resource)
add_custom_command(OUTPUT ${skin_window_misc_resource_dir}/misc.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_window_misc_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/misc
            ${skin_window_misc_resource_dir}/misc.skindb --title misc
    DEPENDS ${TEST_DIR}/skins/misc/main.xml ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_misc_resource DEPENDS ${skin_window_misc_resource_dir}/misc.skindb)
set_source_files_properties(${TEST_DIR}/MiscResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_window_misc_resource_dir}/misc.skindb)

tavrin_add_gtest(skin_window_misc_test
    SOURCES ${TEST_DIR}/ControlTestSupport.cpp ${TEST_DIR}/MiscTestSupport.cpp ${TEST_DIR}/FrameDialogTest.cpp
            ${TEST_DIR}/EditComboTest.cpp ${TEST_DIR}/TabToolbarTest.cpp ${TEST_DIR}/SmallControlsTest.cpp
            ${TEST_DIR}/MiscResource.rc
    LIBS skin_window skin_model_test_support test_support comctl32
    LABELS unit
    TIMEOUT 180)
target_include_directories(skin_window_misc_test PRIVATE ${skin_window_misc_resource_dir})
add_dependencies(skin_window_misc_test skin_window_misc_resource)
set_tests_properties(skin_window_misc_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
