# Tests of the usage-statistics module. The report tests talk to the local test service and change
# the Internet Explorer registry values that the probes read, hence their resource locks.
set(STAT_TEST_SUPPORT ${TEST_DIR}/DebugTraceCapture.cpp ${TEST_DIR}/IeVersionRegistry.cpp)

tavrin_add_gtest(stat_units_test SOURCES ${TEST_DIR}/StatUnitsTest.cpp ${TEST_DIR}/StatLifetimeTest.cpp LIBS stat)

tavrin_add_gtest(stat_probes_test SOURCES ${TEST_DIR}/StatProbesTest.cpp ${STAT_TEST_SUPPORT} LIBS stat test_support)
set_tests_properties(stat_probes_test PROPERTIES RESOURCE_LOCK "stat.registry")

tavrin_add_gtest(stat_reports_test
    SOURCES ${TEST_DIR}/StatReportsTest.cpp ${TEST_DIR}/StatTransportTest.cpp ${TEST_DIR}/StatReportFixture.cpp
            ${TEST_DIR}/StatRecords.cpp ${STAT_TEST_SUPPORT}
    LIBS stat test_support
    TIMEOUT 240)
target_include_directories(stat_reports_test PRIVATE ${TEST_DIR})
set_tests_properties(stat_reports_test PROPERTIES RESOURCE_LOCK "service;stat.registry")

# The installer's executable exports the statistics interface and its factory.
add_test(NAME stat_exports COMMAND bash ${TEST_DIR}/check_exports.sh $<TARGET_FILE:TavrinInstaller>)
set_tests_properties(stat_exports PROPERTIES LABELS unit)
