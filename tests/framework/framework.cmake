# Tests of the class-library layer.
tavrin_add_gtest(framework_string_test SOURCES ${TEST_DIR}/StringTest.cpp LIBS framework LABELS unit)
tavrin_add_gtest(framework_dialog_test SOURCES ${TEST_DIR}/DialogTest.cpp LIBS framework LABELS unit TIMEOUT 60)
