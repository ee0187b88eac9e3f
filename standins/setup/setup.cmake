# Setup package stand-in: <build>/standins/setup/TavrinSetup.exe, carrying the newest product stand-in.
# Its arguments, records and test controls are described at the top of SetupMain.cpp.
set(setup_rc ${CMAKE_CURRENT_BINARY_DIR}/standin_setup.rc)
file(GENERATE OUTPUT ${setup_rc} CONTENT
    "#include \"SetupInstall.h\"\nSETUP_PRODUCT_RESOURCE RCDATA \"$<TARGET_FILE:standin_product_new>\"\n")
add_executable(standin_setup WIN32 ${STANDIN_DIR}/SetupMain.cpp ${STANDIN_DIR}/SetupInstall.cpp ${setup_rc})
target_include_directories(standin_setup PRIVATE ${STANDIN_DIR})
target_link_libraries(standin_setup PRIVATE standin_record advapi32 shell32)
tavrin_warnings(standin_setup)
add_dependencies(standin_setup standin_product_new)
set_source_files_properties(${setup_rc} PROPERTIES OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/standins/product/new/Tavrin.exe)
set_target_properties(standin_setup PROPERTIES OUTPUT_NAME TavrinSetup
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standins/setup)
