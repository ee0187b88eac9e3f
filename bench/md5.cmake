# MD5 of a file as the package check runs it, timed against md5sum by bench/md5.sh.
add_executable(md5_bench ${CMAKE_CURRENT_LIST_DIR}/md5_bench.cpp)
target_link_libraries(md5_bench PRIVATE installer)
tavrin_warnings(md5_bench)
