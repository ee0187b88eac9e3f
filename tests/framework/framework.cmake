# Tests of the class-library layer.
tavrin_add_gtest(framework_string_test SOURCES ${TEST_DIR}/StringTest.cpp LIBS framework LABELS unit)
tavrin_add_gtest(framework_dialog_test SOURCES ${TEST_DIR}/DialogTest.cpp LIBS framework LABELS unit TIMEOUT 60)
tavrin_add_gtest(framework_thread_test SOURCES ${TEST_DIR}/ThreadTest.cpp LIBS framework test_support LABELS unit TIMEOUT 300)

# The Internet classes read canned answers from a local server that runs for the test's length.
add_executable(framework_internet_test ${TEST_DIR}/InternetTest.cpp)
target_link_libraries(framework_internet_test PRIVATE framework deps::gmock deps::gtest_main)
tavrin_warnings(framework_internet_test)
add_test(NAME framework_internet_test
    COMMAND ${TEST_DIR}/with-http-fixture.sh ${TAVRIN_WINE_RUN} $<TARGET_FILE:framework_internet_test>)
set_tests_properties(framework_internet_test PROPERTIES LABELS unit TIMEOUT 120
    ENVIRONMENT "TAVRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR};TAVRIN_BINARY_DIR=${CMAKE_BINARY_DIR}")
tavrin_add_gtest(framework_app_test SOURCES ${TEST_DIR}/AppTest.cpp ${TEST_DIR}/DialogTemplates.rc
    LIBS framework LABELS unit TIMEOUT 60)

# The runtime's entry reaches the application object of a GUI program linked like the installer.
add_executable(framework_entry_point WIN32 ${TEST_DIR}/EntryPointApp.cpp)
target_link_libraries(framework_entry_point PRIVATE framework)
target_link_options(framework_entry_point PRIVATE -municode)
tavrin_warnings(framework_entry_point)
tavrin_add_wine_test(framework_entry_point framework_entry_point ARGS -client TIMEOUT 60)
