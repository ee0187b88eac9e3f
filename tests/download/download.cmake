# The downloads: the own HTTP downloader, the outside engine's adapter and stand-ins, the unpacking.
add_library(download_test_kit STATIC ${TEST_DIR}/DownloadTestKit.cpp)
target_link_libraries(download_test_kit PUBLIC test_support advapi32 shell32 ws2_32)
target_include_directories(download_test_kit PUBLIC ${TEST_DIR})
tavrin_warnings(download_test_kit)

tavrin_add_gtest(YDownloaderTest SOURCES ${TEST_DIR}/YDownloaderTest.cpp
    LIBS installer download_test_kit LABELS unit TIMEOUT 600)
set_tests_properties(YDownloaderTest PROPERTIES RESOURCE_LOCK service)

tavrin_add_gtest(XDownloaderTest SOURCES ${TEST_DIR}/XDownloaderTest.cpp
    LIBS installer download_test_kit LABELS unit TIMEOUT 600)
set_tests_properties(XDownloaderTest PROPERTIES RESOURCE_LOCK service)

# Archives for the extractor tests, written by Python's zipfile.
set(download_zips ${CMAKE_BINARY_DIR}/download-zips)
add_custom_command(OUTPUT ${download_zips}/good.zip
    COMMAND /usr/bin/python3 ${TEST_DIR}/make_test_zips.py ${download_zips}
    DEPENDS ${TEST_DIR}/make_test_zips.py VERBATIM)
add_custom_target(download_test_zips DEPENDS ${download_zips}/good.zip)
tavrin_add_gtest(ExtractorTest SOURCES ${TEST_DIR}/ExtractorTest.cpp
    LIBS sevenzip_cmdline download_test_kit LABELS unit)
add_dependencies(ExtractorTest download_test_zips sevenzip_dll sevenzip_gui)

tavrin_add_gtest(EngineEndToEndTest SOURCES ${TEST_DIR}/EngineEndToEndTest.cpp
    LIBS installer tavrin_payload download_test_kit LABELS unit TIMEOUT 600)
add_dependencies(EngineEndToEndTest xldl)
set_tests_properties(EngineEndToEndTest PROPERTIES RESOURCE_LOCK service)
