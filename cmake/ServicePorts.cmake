# The local test service's two ports belong to the build folder: picked free when the folder is first
# configured and kept in its cache, because the installer under test has its hosts compiled in.
# service-ports.env hands them to the service, the scripts and the tests.
if(NOT TAVRIN_SERVICE_PORT OR NOT TAVRIN_TEST_SERVICE_PORT)
    execute_process(COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/service/server.py --pick-ports 2
        OUTPUT_VARIABLE picked OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "no free ports for the local test service: ${failed}")
    endif()
    list(GET picked 0 official)
    list(GET picked 1 test)
    set(TAVRIN_SERVICE_PORT ${official} CACHE STRING "Official port of this build's local test service")
    set(TAVRIN_TEST_SERVICE_PORT ${test} CACHE STRING "Test-host port of this build's local test service")
endif()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/service-ports.env CONTENT
    "TAVRIN_SERVICE_PORT=${TAVRIN_SERVICE_PORT}\nTAVRIN_TEST_SERVICE_PORT=${TAVRIN_TEST_SERVICE_PORT}\n")

set(service_host http://127.0.0.1:${TAVRIN_SERVICE_PORT})
set(TAVRIN_OFFICIAL_HOST ${service_host})
set(TAVRIN_TEST_HOST http://127.0.0.1:${TAVRIN_TEST_SERVICE_PORT})
set(TAVRIN_STAT_HOST ${service_host})
set(TAVRIN_REPORT_HOST ${service_host}/report)
set(TAVRIN_HOME_PAGE ${service_host}/home)
