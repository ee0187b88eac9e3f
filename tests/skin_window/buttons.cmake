# Buttons, the progress bar and the animation control on real windows under Wine and Xvfb: state
# machines driven by messages, check semantics, and faces read back by pixel.

# The test skin is packed at build time and linked into the test as "SKINDB" 2029.
set(skin_window_buttons_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-window-buttons-resource)
add_custom_command(OUTPUT ${skin_window_buttons_resource_dir}/buttons.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_window_buttons_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/buttons
            ${skin_window_buttons_resource_dir}/buttons.skindb --title buttons
    DEPENDS ${TEST_DIR}/skins/buttons/main.xml ${TEST_DIR}/skins/buttons/frames.bmp
            ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_buttons_resource DEPENDS ${skin_window_buttons_resource_dir}/buttons.skindb)
set_source_files_properties(${TEST_DIR}/ButtonsResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_window_buttons_resource_dir}/buttons.skindb)

tavrin_add_gtest(skin_window_buttons_test
    SOURCES ${TEST_DIR}/ButtonTestSupport.cpp ${TEST_DIR}/ButtonStateTest.cpp ${TEST_DIR}/ButtonCheckTest.cpp
            ${TEST_DIR}/SplitButtonTest.cpp ${TEST_DIR}/ProgressAnimateTest.cpp ${TEST_DIR}/ButtonsResource.rc
    LIBS skin_window comctl32
    LABELS unit
    TIMEOUT 120)
target_include_directories(skin_window_buttons_test PRIVATE ${TEST_DIR} ${skin_window_buttons_resource_dir})
add_dependencies(skin_window_buttons_test skin_window_buttons_resource)
# The mouse sequences place the real cursor: no other test may move it meanwhile.
set_tests_properties(skin_window_buttons_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
