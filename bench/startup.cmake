# Installer start-up to its first visible window against a bare dialog program, and where the time
# goes, by bench/startup.sh.
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/startup_phases.cpp)
target_link_options(startup_bench PRIVATE -municode)
tavrin_warnings(startup_bench)
add_executable(bare_dialog WIN32 ${CMAKE_CURRENT_LIST_DIR}/bare_dialog.cpp)
target_link_options(bare_dialog PRIVATE -municode)
tavrin_warnings(bare_dialog)
