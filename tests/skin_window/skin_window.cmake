# Window skinning tests: message-level tests on real windows under Wine and Xvfb.

# The test skin is packed at build time and linked into the test as "SKINDB" 2029.
set(skin_window_resource_dir ${CMAKE_CURRENT_BINARY_DIR}/skin-window-resource)
add_custom_command(OUTPUT ${skin_window_resource_dir}/window.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_window_resource_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TEST_DIR}/skins/window
            ${skin_window_resource_dir}/window.skindb --title window
    DEPENDS ${TEST_DIR}/skins/window/main.xml ${TEST_DIR}/skins/window/arrow.cur ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py VERBATIM)
add_custom_target(skin_window_resource DEPENDS ${skin_window_resource_dir}/window.skindb)
set_source_files_properties(${TEST_DIR}/SkinWindowResource.rc PROPERTIES
    OBJECT_DEPENDS ${skin_window_resource_dir}/window.skindb)

tavrin_add_gtest(skin_window_test
    SOURCES ${TEST_DIR}/WindowTestSupport.cpp ${TEST_DIR}/SubclassChainTest.cpp ${TEST_DIR}/ChainLifetimeTest.cpp
            ${TEST_DIR}/ReflectionTest.cpp ${TEST_DIR}/MouseStateTrackerTest.cpp ${TEST_DIR}/DrawingHelpersTest.cpp
            ${TEST_DIR}/SkinBaseTest.cpp ${TEST_DIR}/SkinWindowResource.rc
    LIBS skin_window skin_model_test_support comctl32
    LABELS unit)
target_include_directories(skin_window_test PRIVATE ${skin_window_resource_dir})
add_dependencies(skin_window_test skin_window_resource)
# A process that dies without a word can still end with code 0 under Wine: success means that
# GoogleTest reported its summary without failures.
set_tests_properties(skin_window_test PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
