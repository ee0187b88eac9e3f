# A 256 MB download with YDownloader and a bare WinInet loop, timed against curl by bench/download.sh.
add_executable(download_bench ${CMAKE_CURRENT_LIST_DIR}/download_bench.cpp)
target_link_options(download_bench PRIVATE -municode)
target_link_libraries(download_bench PRIVATE installer)
tavrin_warnings(download_bench)
