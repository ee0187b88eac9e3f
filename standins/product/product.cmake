# Product stand-ins: "Tavrin.exe" in two versions (an older installed one and the newest, which the setup
# stand-in installs) and "zazava.exe", all from one source. Outputs:
#   <build>/standins/product/old/Tavrin.exe   version TAVRIN_PRODUCT_OLD_VERSION
#   <build>/standins/product/new/Tavrin.exe   version TAVRIN_PRODUCT_NEW_VERSION
#   <build>/standins/product/zazava.exe
set(TAVRIN_PRODUCT_OLD_VERSION "2.5.0.100" CACHE STRING "Version of the older product stand-in")
set(TAVRIN_PRODUCT_NEW_VERSION "2.5.1.300" CACHE STRING "Version of the newest product stand-in")

add_library(standin_record STATIC ${STANDIN_DIR}/StandinRecord.cpp)
target_include_directories(standin_record PUBLIC ${STANDIN_DIR})
target_link_libraries(standin_record PUBLIC shell32)
tavrin_warnings(standin_record)

function(tavrin_product_standin target file_name subfolder version)
    set(PRODUCT_VERSION ${version})
    string(REPLACE "." "," PRODUCT_VERSION_COMMAS ${version})
    set(PRODUCT_FILE_NAME ${file_name})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${STANDIN_DIR}/ProductVersion.rc.in ${rc} @ONLY)
    add_executable(${target} WIN32 ${STANDIN_DIR}/ProductMain.cpp ${rc})
    target_link_libraries(${target} PRIVATE standin_record)
    tavrin_warnings(${target})
    get_filename_component(output_name ${file_name} NAME_WE)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name}
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standins/product/${subfolder})
endfunction()

tavrin_product_standin(standin_product_old Tavrin.exe old ${TAVRIN_PRODUCT_OLD_VERSION})
tavrin_product_standin(standin_product_new Tavrin.exe new ${TAVRIN_PRODUCT_NEW_VERSION})
tavrin_product_standin(standin_zazava zazava.exe "" ${TAVRIN_PRODUCT_NEW_VERSION})
