# The UI driver against a small dialog of its own; needs a display (Xvfb from scripts/session.sh) and
# ImageMagick for the picture check. Windows of other tests on the same display would cover the picture
# (the skin tests show dialogs and open drop-downs), so it runs alone.
add_executable(uidriver_demo WIN32 ${TEST_DIR}/UiDriverDemo.cpp ${TEST_DIR}/UiDriverDemo.rc)
target_include_directories(uidriver_demo PRIVATE ${TEST_DIR})
target_link_libraries(uidriver_demo PRIVATE user32 gdi32 shell32)
tavrin_warnings(uidriver_demo)
set_target_properties(uidriver_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/uidriver)
add_dependencies(uidriver_demo uidriver)
add_test(NAME uidriver_test COMMAND /usr/bin/python3 ${TEST_DIR}/uidriver_test.py)
set_tests_properties(uidriver_test PROPERTIES LABELS unit TIMEOUT 300 RUN_SERIAL TRUE
    ENVIRONMENT "TAVRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR};TAVRIN_BINARY_DIR=${CMAKE_BINARY_DIR}")
