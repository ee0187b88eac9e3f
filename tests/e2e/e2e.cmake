# End-to-end tests: the installer executable under Wine, driven through the UI driver against the
# local test service (started by scripts/session.sh). Each scenario runs once per download engine.
if(TARGET TavrinInstaller)
    set(e2e_script ${TEST_DIR}/e2e_test.py)
    foreach(scenario fresh reinstall upgrade check_fails_then_passes cancel)
        foreach(engine 0 1)
            add_test(NAME e2e_${scenario}_engine${engine}
                COMMAND /usr/bin/python3 ${e2e_script} ${scenario} ${engine})
        endforeach()
    endforeach()
    foreach(scenario notices second_start skin_pixels change_log_scroll)
        add_test(NAME e2e_${scenario} COMMAND /usr/bin/python3 ${e2e_script} ${scenario} 0)
    endforeach()
    add_test(NAME e2e_network_recovery_engine0 COMMAND /usr/bin/python3 ${e2e_script} network_recovery 0)
    get_property(e2e_tests DIRECTORY PROPERTY TESTS)
    list(FILTER e2e_tests INCLUDE REGEX "^e2e_")
    # RUN_SERIAL: every Windows program of the test run shares one Wine prefix (windows, temporary
    # folder), so no other test may click or delete under the installer.
    set_tests_properties(${e2e_tests} PROPERTIES LABELS e2e RESOURCE_LOCK service RUN_SERIAL TRUE TIMEOUT 300
        ENVIRONMENT "TAVRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR};TAVRIN_BINARY_DIR=${CMAKE_BINARY_DIR}")
endif()
