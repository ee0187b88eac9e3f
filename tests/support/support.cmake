# Helpers shared by the tests: the local test service's control endpoints, bounded waits, started
# programs ended on every path, and the mutation tests' guarded input.
add_library(test_support STATIC ${TEST_DIR}/ServiceControl.cpp ${TEST_DIR}/WaitUntil.cpp ${TEST_DIR}/ChildProcess.cpp
    ${TEST_DIR}/MutationInput.cpp)
target_include_directories(test_support PUBLIC ${TEST_DIR})
target_link_libraries(test_support PUBLIC wininet)
target_compile_definitions(test_support PRIVATE
    TAVRIN_SERVICE_PORT=${TAVRIN_SERVICE_PORT} TAVRIN_TEST_SERVICE_PORT=${TAVRIN_TEST_SERVICE_PORT})
tavrin_warnings(test_support)
