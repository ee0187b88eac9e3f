# Generates ServiceHosts.h from the host settings of the top-level CMakeLists.txt.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/ServiceHosts.h.in
    ${CMAKE_CURRENT_BINARY_DIR}/generated/ServiceHosts.h @ONLY)
target_include_directories(installer PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)
