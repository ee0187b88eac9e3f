# The setup, product and browser stand-ins, run as the installer runs them. They change the prefix's
# uninstall key and channel file (and put them back), hence the locks the install-road tests take.
tavrin_add_gtest(standins_test SOURCES ${TEST_DIR}/StandinTest.cpp LIBS test_support shell32 advapi32 version
    LABELS unit)
target_compile_definitions(standins_test PRIVATE
    TAVRIN_PRODUCT_OLD_VERSION="${TAVRIN_PRODUCT_OLD_VERSION}" TAVRIN_PRODUCT_NEW_VERSION="${TAVRIN_PRODUCT_NEW_VERSION}")
add_dependencies(standins_test standin_setup standin_product_old standin_zazava standin_browser)
set_tests_properties(standins_test PROPERTIES RESOURCE_LOCK "service;uninstall-key")

# The report host and home page of the local test service.
add_test(NAME report_route_test COMMAND /usr/bin/python3 ${TEST_DIR}/report_route_test.py)
set_tests_properties(report_route_test PROPERTIES LABELS unit TIMEOUT 60 RESOURCE_LOCK service
    ENVIRONMENT "TAVRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR};TAVRIN_BINARY_DIR=${CMAKE_BINARY_DIR}")
