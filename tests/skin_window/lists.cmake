# The skinned list box, list view with its header and tree view on real windows under Wine and Xvfb:
# the per-row looks kept in step with the rows, and rows read back as pixels in their states.

set(skin_window_lists_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-window-lists-resource)
add_custom_command(OUTPUT ${skin_window_lists_resource_dir}/lists.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_window_lists_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/lists
            ${skin_window_lists_resource_dir}/lists.skindb --title lists
    DEPENDS ${TEST_DIR}/skins/lists/main.xml ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_lists_resource DEPENDS ${skin_window_lists_resource_dir}/lists.skindb)
set_source_files_properties(${TEST_DIR}/ListsSkinResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_window_lists_resource_dir}/lists.skindb)

tavrin_add_gtest(skin_window_lists_test
    SOURCES ${TEST_DIR}/ControlTestSupport.cpp ${TEST_DIR}/ListTestSupport.cpp ${TEST_DIR}/ListBoxTest.cpp
            ${TEST_DIR}/ListCtrlTest.cpp ${TEST_DIR}/TreeCtrlTest.cpp ${TEST_DIR}/ListFactoryTest.cpp ${TEST_DIR}/ListResourcesTest.cpp
            ${TEST_DIR}/ListsSkinResource.rc
    LIBS skin_window skin_model_test_support comctl32
    LABELS unit
    TIMEOUT 300)
target_include_directories(skin_window_lists_test PRIVATE ${skin_window_lists_resource_dir})
add_dependencies(skin_window_lists_test skin_window_lists_resource)
# Hover states come from posted mouse moves: no other test may move the real cursor meanwhile.
set_tests_properties(skin_window_lists_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
