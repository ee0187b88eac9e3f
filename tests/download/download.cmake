# The downloads: the own HTTP downloader, the outside engine's adapter and stand-ins, the unpacking.
add_library(download_test_kit STATIC ${TEST_DIR}/DownloadTestKit.cpp)
target_link_libraries(download_test_kit PUBLIC test_support advapi32 shell32)
target_include_directories(download_test_kit PUBLIC ${TEST_DIR})
tavrin_warnings(download_test_kit)

tavrin_add_gtest(YDownloaderTest SOURCES ${TEST_DIR}/YDownloaderTest.cpp
    LIBS installer download_test_kit LABELS unit TIMEOUT 600)
set_tests_properties(YDownloaderTest PROPERTIES RESOURCE_LOCK service)
