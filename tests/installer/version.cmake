# The version service client: answer formats, addresses and test mode, and the version query
# against the local test service.
tavrin_add_gtest(installer_version_test
    SOURCES ${TEST_DIR}/VersionServiceTest.cpp ${TEST_DIR}/CheckVersionTest.cpp
    LIBS installer test_support
    LABELS unit)
target_include_directories(installer_version_test PRIVATE ${TEST_DIR})
set_tests_properties(installer_version_test PROPERTIES RESOURCE_LOCK "service;uninstall-key")
