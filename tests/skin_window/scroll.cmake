# Custom-drawn scroll bars and the hooking layer, driven by window messages under Wine.
tavrin_add_gtest(skin_window_scroll_test
    SOURCES ${TEST_DIR}/ScrollTestWindow.cpp ${TEST_DIR}/CustomScrollBarStateTest.cpp
            ${TEST_DIR}/CustomScrollBarTrackingTest.cpp ${TEST_DIR}/CustomScrollBarRemovalTest.cpp
    LIBS skin_window
    LABELS unit
    TIMEOUT 120)
target_include_directories(skin_window_scroll_test PRIVATE ${TEST_DIR})
# The mouse sequences place the real cursor: no other test may move it meanwhile.
set_tests_properties(skin_window_scroll_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# The entry functions' part loads the packed test skin of the dialog tests ("SKINDB" 2029).
tavrin_add_gtest(skin_window_hook_test
    SOURCES ${TEST_DIR}/ApiHookTest.cpp ${TEST_DIR}/ScrollHooksTest.cpp ${TEST_DIR}/ScrollTestWindow.cpp
            ${TEST_DIR}/DialogSkinResource.rc
    LIBS skin_window test_support
    LABELS unit
    TIMEOUT 120)
target_include_directories(skin_window_hook_test PRIVATE ${TEST_DIR} ${skin_dialog_resource_dir})
add_dependencies(skin_window_hook_test skin_dialog_resource)
set_tests_properties(skin_window_hook_test PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
