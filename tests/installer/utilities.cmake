# Installer utilities: folders, size and version texts, resources, MD5, processes, the uninstall
# entry and the MAC address. The helper program and the versioned library lie beside the test.
add_executable(utility_helper ${TEST_DIR}/UtilityHelper.cpp)
target_link_options(utility_helper PRIVATE -municode)
tavrin_warnings(utility_helper)

add_library(versioned_sample SHARED ${TEST_DIR}/VersionedSample.c ${TEST_DIR}/VersionedSample.rc)
set_target_properties(versioned_sample PROPERTIES PREFIX "")

set(UTILITIES_PAYLOAD ${TEST_DIR}/UtilityHelper.cpp)
configure_file(${TEST_DIR}/UtilitiesPayload.rc.in ${CMAKE_CURRENT_BINARY_DIR}/UtilitiesPayload.rc @ONLY)

tavrin_add_gtest(installer_utilities_test
    SOURCES ${TEST_DIR}/UtilitiesTest.cpp ${TEST_DIR}/ProcessControlTest.cpp ${TEST_DIR}/UninstallEntryTest.cpp
            ${CMAKE_CURRENT_BINARY_DIR}/UtilitiesPayload.rc
    LIBS installer test_support iphlpapi
    LABELS unit)
target_include_directories(installer_utilities_test PRIVATE ${TEST_DIR})
add_dependencies(installer_utilities_test utility_helper versioned_sample)
# The end-to-end runs write the same key under the service lock.
set_tests_properties(installer_utilities_test PROPERTIES RESOURCE_LOCK "service;uninstall-key")
