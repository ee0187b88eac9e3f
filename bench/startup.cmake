# Installer start-up to its first visible window against two references, and where the time goes,
# by bench/startup.sh: a bare dialog program and the install view's template without its skin.
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/startup_phases.cpp)
target_link_options(startup_bench PRIVATE -municode)
tavrin_warnings(startup_bench)
add_executable(bare_dialog WIN32 ${CMAKE_CURRENT_LIST_DIR}/bare_dialog.cpp)
target_link_options(bare_dialog PRIVATE -municode)
tavrin_warnings(bare_dialog)
# The installer's own resources (template 103, manifest) and its start-up mark.
add_executable(install_template WIN32 ${CMAKE_CURRENT_LIST_DIR}/install_template.cpp)
target_include_directories(install_template PRIVATE ${CMAKE_SOURCE_DIR}/installer)
target_link_libraries(install_template PRIVATE installer_resources comctl32)
target_link_options(install_template PRIVATE -municode)
tavrin_warnings(install_template)
