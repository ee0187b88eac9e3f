# Disk serial number: parsing of IDENTIFY data and the request layout of both device roads.
tavrin_add_gtest(hdserial_test SOURCES ${TEST_DIR}/HdSerialTest.cpp LIBS installer LABELS unit)
