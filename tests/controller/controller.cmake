# Unit tests of the install controller's logic (with fakes of the downloader and the views) and of
# the install report's query.
tavrin_add_gtest(InstallControllerTest
    SOURCES ${TEST_DIR}/InstallControllerTest.cpp ${TEST_DIR}/InstallReportTest.cpp ${TEST_DIR}/ViewLogicTest.cpp
    LIBS installer test_support
    LABELS unit
    TIMEOUT 120)
# The version text is read from the executable.
add_dependencies(InstallControllerTest TavrinInstaller)
