# Loading the installer's skin and painting the main view, timed against TinyXML alone by bench/skin.sh.
add_executable(skin_load_bench ${CMAKE_CURRENT_LIST_DIR}/skin_load_bench.cpp)
target_link_libraries(skin_load_bench PRIVATE skin_model installer_skin)
tavrin_warnings(skin_load_bench)
