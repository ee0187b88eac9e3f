# The hashing service. Its oracles come from Linux tools, which a test running inside Wine cannot
# call: the fixture hash_oracles runs hash_oracles.sh on the host first, writing the input files
# and their digests into the build folder, where the test (under Wine) reads them through drive Z:.
add_test(NAME hash_oracles COMMAND bash ${TEST_DIR}/hash_oracles.sh ${CMAKE_BINARY_DIR}/hash-oracles)
set_tests_properties(hash_oracles PROPERTIES FIXTURES_SETUP hash_oracles LABELS unit)

tavrin_add_gtest(hash_file_test
    SOURCES ${TEST_DIR}/HashFileTest.cpp
    LIBS installer
    LABELS unit)
set_tests_properties(hash_file_test PROPERTIES FIXTURES_REQUIRED hash_oracles)
