# Which DLLs the installer loads at start (those of any dialog program) and which on their first call,
# read from the built executable; and a delay-loaded DLL or function that is missing at its first call
# ends the program with the loader's message and status.
add_test(NAME installer_imports COMMAND /usr/bin/python3 ${TEST_DIR}/check_imports.py $<TARGET_FILE:TavrinInstaller>
    --start advapi32 comctl32 gdi32 kernel32 msvcrt user32 version
    --delayed $<TARGET_PROPERTY:TavrinInstaller,TAVRIN_DELAY_LOADED>
    COMMAND_EXPAND_LISTS)
set_tests_properties(installer_imports PROPERTIES LABELS unit)

# The probe makes the failing calls, with the installer's hook requested like the executable does.
add_executable(delay_load_probe ${TEST_DIR}/DelayLoadProbe.cpp)
tavrin_delay_load(delay_load_probe DEFINITIONS ${TEST_DIR} tavrin_absent kernel32_lacking)
target_link_libraries(delay_load_probe PRIVATE installer tavrin_absent kernel32_lacking)
target_link_options(delay_load_probe PRIVATE -municode -Wl,-u,___pfnDliFailureHook2)
tavrin_warnings(delay_load_probe)

tavrin_add_gtest(installer_delay_load_test SOURCES ${TEST_DIR}/DelayLoadFailureTest.cpp LIBS installer test_support)
add_dependencies(installer_delay_load_test delay_load_probe)
