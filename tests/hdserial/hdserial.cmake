# Disk serial number: parsing of IDENTIFY data and the request layout of both device roads.
tavrin_add_gtest(hdserial_test SOURCES ${TEST_DIR}/HdSerialTest.cpp ${CMAKE_SOURCE_DIR}/installer/GetHDSerial.cpp LABELS unit)
target_include_directories(hdserial_test PRIVATE ${CMAKE_SOURCE_DIR}/installer)
