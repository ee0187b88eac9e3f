# Scroll windows, the scroll-bar helper and the skinned scroll-bar control, driven by window messages
# under Wine and read back by pixel against the test skin's image grid.

# The test skin: main.xml beside a grid image written at build time, packed as "SKINDB" 2031.
set(scrollwnd_skin_dir ${CMAKE_CURRENT_BINARY_DIR}/scrollwnd-skin/scrollwnd)
set(scrollwnd_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/scrollwnd-resource)
add_custom_command(OUTPUT ${scrollwnd_resource_dir}/scrollwnd.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${scrollwnd_skin_dir} ${scrollwnd_resource_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${TEST_DIR}/skins/scrollwnd/main.xml ${scrollwnd_skin_dir}/main.xml
    COMMAND /usr/bin/python3 ${TEST_DIR}/make_scroll_grid.py ${scrollwnd_skin_dir}/grid.bmp
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${scrollwnd_skin_dir}
            ${scrollwnd_resource_dir}/scrollwnd.skindb --title scrollwnd
    DEPENDS ${TEST_DIR}/skins/scrollwnd/main.xml ${TEST_DIR}/make_scroll_grid.py
            ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_scrollwnd_resource DEPENDS ${scrollwnd_resource_dir}/scrollwnd.skindb)
set_source_files_properties(${TEST_DIR}/ScrollWndResource.rc PROPERTIES
    OBJECT_DEPENDS "${scrollwnd_resource_dir}/scrollwnd.skindb;${TEST_DIR}/CommonControls6.manifest")

tavrin_add_gtest(skin_window_scrollwnd_test
    SOURCES ${TEST_DIR}/ScrollTestWindow.cpp ${TEST_DIR}/ScrollWndTestSupport.cpp
            ${TEST_DIR}/ScrollBarHelperTest.cpp ${TEST_DIR}/SkinScrollBarTest.cpp
            ${TEST_DIR}/ScrollWindowTest.cpp ${TEST_DIR}/ScrollWndResource.rc
    LIBS skin_window comctl32
    LABELS unit
    TIMEOUT 120)
target_include_directories(skin_window_scrollwnd_test PRIVATE ${TEST_DIR} ${scrollwnd_resource_dir})
add_dependencies(skin_window_scrollwnd_test skin_window_scrollwnd_resource)
# The page-repeat test places the real cursor: no other test may move it meanwhile.
set_tests_properties(skin_window_scrollwnd_test PROPERTIES RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
