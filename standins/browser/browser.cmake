# Browser stand-in: <build>/standins/browser/BrowserRecorder.exe, registered in the Wine prefix by
# scripts/register-browser.sh.
add_executable(standin_browser WIN32 ${STANDIN_DIR}/BrowserMain.cpp)
target_link_libraries(standin_browser PRIVATE standin_record)
tavrin_warnings(standin_browser)
set_target_properties(standin_browser PROPERTIES OUTPUT_NAME BrowserRecorder
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standins/browser)
