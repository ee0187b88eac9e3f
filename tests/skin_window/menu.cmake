# Menu skinning and the menu bar, driven through real menus under Wine: the test ends each menu from
# a timer of its own once the menu window shows what the test reads.

set(skin_window_menu_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-window-menu-resource)
add_custom_command(OUTPUT ${skin_window_menu_resource_dir}/menu.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_window_menu_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/menu
            ${skin_window_menu_resource_dir}/menu.skindb --title menu
    DEPENDS ${TEST_DIR}/skins/menu/main.xml ${TEST_DIR}/skins/menu/marks.bmp ${TEST_DIR}/skins/menu/icon.bmp
            ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_menu_resource DEPENDS ${skin_window_menu_resource_dir}/menu.skindb)
set_source_files_properties(${TEST_DIR}/MenuSkinResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_window_menu_resource_dir}/menu.skindb)

tavrin_add_gtest(skin_window_menu_test
    SOURCES ${TEST_DIR}/MenuTestSupport.cpp ${TEST_DIR}/SkinMenuTest.cpp ${TEST_DIR}/MenuBarTest.cpp
            ${TEST_DIR}/DialogMenuBarTest.cpp
            ${TEST_DIR}/MenuSkinResource.rc
    LIBS skin_window comctl32
    LABELS unit
    TIMEOUT 120)
target_include_directories(skin_window_menu_test PRIVATE ${TEST_DIR} ${skin_window_menu_resource_dir})
add_dependencies(skin_window_menu_test skin_window_menu_resource)
# Menus take the keyboard focus and the foreground: no other window test may run meanwhile.
set_tests_properties(skin_window_menu_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
