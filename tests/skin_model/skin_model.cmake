# Skin model tests. The decoder samples and their oracle pixels come from Linux tools (ImageMagick,
# djpeg), which a test running inside Wine cannot call: the fixture skin_model_samples writes them into
# the build folder first, where the tests read them through drive Z:.
add_test(NAME skin_model_samples COMMAND bash ${TEST_DIR}/make_samples.sh ${CMAKE_BINARY_DIR}/skin-model-samples)
set_tests_properties(skin_model_samples PROPERTIES FIXTURES_SETUP skin_model_samples LABELS unit)

add_library(skin_model_test_support STATIC ${TEST_DIR}/SkinTestSupport.cpp)
target_include_directories(skin_model_test_support PUBLIC ${TEST_DIR})
target_link_libraries(skin_model_test_support PUBLIC skin_model)
tavrin_warnings(skin_model_test_support)

tavrin_add_gtest(skin_model_test
    SOURCES ${TEST_DIR}/DecoderTest.cpp ${TEST_DIR}/SkinXmlTest.cpp ${TEST_DIR}/DrawingTest.cpp
    LIBS skin_model_test_support
    LABELS unit)
set_tests_properties(skin_model_test PROPERTIES FIXTURES_REQUIRED skin_model_samples)

# Damaged input for every decoder and reader; passes when nothing crashes or hangs.
tavrin_add_gtest(skin_model_mutation
    SOURCES ${TEST_DIR}/DecoderMutationTest.cpp
    LIBS skin_model_test_support test_support
    LABELS mutation
    TIMEOUT 900)
set_tests_properties(skin_model_mutation PROPERTIES FIXTURES_REQUIRED skin_model_samples)

# A process that dies without a word can still end with code 0 under Wine: success means that
# GoogleTest reported its summary without failures.
set_tests_properties(skin_model_test skin_model_mutation PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
