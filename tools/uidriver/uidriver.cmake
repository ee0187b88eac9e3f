# The UI driver for the end-to-end tests: <build>/tools/uidriver/uidriver.exe, a console program run
# under Wine (its verbs are listed in DriverOptions.cpp).
add_executable(uidriver ${TOOL_DIR}/main.cpp ${TOOL_DIR}/WindowFinder.cpp ${TOOL_DIR}/WindowCapture.cpp
    ${TOOL_DIR}/DriverOptions.cpp ${TOOL_DIR}/DriverVerbs.cpp)
target_link_libraries(uidriver PRIVATE user32 gdi32 shell32)
tavrin_warnings(uidriver)
set_target_properties(uidriver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools/uidriver)
