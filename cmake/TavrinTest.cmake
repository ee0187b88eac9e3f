# Test executables run through Wine: cmake/wine-run.sh sets the prefix and the display.
enable_testing()
set(TAVRIN_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)

# tavrin_add_gtest(name SOURCES a.cpp ... LIBS lib ... [LABELS unit] [TIMEOUT s] [WINDOW])
function(tavrin_add_gtest name)
    cmake_parse_arguments(T "WINDOW" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} deps::gmock deps::gtest_main)
    tavrin_warnings(${name})
    tavrin_add_wine_test(${name} ${name} LABELS ${T_LABELS} TIMEOUT ${T_TIMEOUT})
endfunction()

# tavrin_add_wine_test(test-name target [ARGS ...] [LABELS ...] [TIMEOUT s])
function(tavrin_add_wine_test name target)
    cmake_parse_arguments(T "" "TIMEOUT" "ARGS;LABELS" ${ARGN})
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND ${TAVRIN_WINE_RUN} $<TARGET_FILE:${target}> ${T_ARGS})
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "TAVRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR};TAVRIN_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# Under emulation (scripts/guest-run.sh without hardware virtualisation) everything runs several times
# slower. A test's time limit only guards against a hang, so it is stretched by TAVRIN_TEST_TIME_SCALE;
# called once a folder has added its tests.
set(TAVRIN_TEST_TIME_SCALE 1 CACHE STRING "Factor applied to every test's time limit")
function(tavrin_scale_time_limits)
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test ${tests})
        get_test_property(${test} TIMEOUT limit)
        if(limit)
            math(EXPR limit "${limit} * ${TAVRIN_TEST_TIME_SCALE}")
            set_tests_properties(${test} PROPERTIES TIMEOUT ${limit})
        endif()
    endforeach()
endfunction()
