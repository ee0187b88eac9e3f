# The stand-in download engine "xldl.dll".
add_library(xldl SHARED ${STANDIN_DIR}/XlEngineExports.cpp ${STANDIN_DIR}/EngineTask.cpp)
set_target_properties(xldl PROPERTIES PREFIX "" OUTPUT_NAME xldl)
target_compile_definitions(xldl PRIVATE XLDL_BUILDING_ENGINE)
# The engine's interface header belongs to the installer, whose adapter calls it.
target_include_directories(xldl PUBLIC ${STANDIN_DIR} ${CMAKE_SOURCE_DIR}/installer)
target_link_libraries(xldl PRIVATE wininet)
tavrin_warnings(xldl)
