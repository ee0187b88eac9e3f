# The event control and the skinned control base on real windows under Wine and Xvfb: mouse messages,
# notifications, tooltips, background, region and transparent children read back as pixels.

set(skin_window_control_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-window-control-resource)
add_custom_command(OUTPUT ${skin_window_control_resource_dir}/control.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_window_control_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/control
            ${skin_window_control_resource_dir}/control.skindb --title control
    DEPENDS ${TEST_DIR}/skins/control/main.xml ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_control_resource DEPENDS ${skin_window_control_resource_dir}/control.skindb)
set_source_files_properties(${TEST_DIR}/ControlSkinResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_window_control_resource_dir}/control.skindb)

tavrin_add_gtest(skin_window_control_test
    SOURCES ${TEST_DIR}/ControlTestSupport.cpp ${TEST_DIR}/EventCtrlTest.cpp ${TEST_DIR}/SkinControlTest.cpp
            ${TEST_DIR}/AddressReuse.cpp
            ${TEST_DIR}/ControlSkinResource.rc
    LIBS skin_window comctl32
    LABELS unit
    TIMEOUT 120)
target_include_directories(skin_window_control_test PRIVATE ${skin_window_control_resource_dir})
add_dependencies(skin_window_control_test skin_window_control_resource)
# The mouse sequences place the real cursor: no other test may move it meanwhile.
set_tests_properties(skin_window_control_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
