# The installer's executable: the application object, the installer library and the resources.
# The statistics module's interface and factory carry dllexport, so the executable exports them
# as long as their objects are linked in (the start-up calls the factory).
target_link_libraries(installer PUBLIC skin_window stat)

add_executable(TavrinInstaller WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
# The resource libraries are defined in resources/, which is added after this folder.
target_link_libraries(TavrinInstaller PRIVATE installer installer_resources installer_skin tavrin_payload)
# The class library's entry point is wWinMain in the framework library; the C runtime asks for it
# only after the libraries were scanned, so it is requested up front.
target_link_options(TavrinInstaller PRIVATE -municode -Wl,-u,_wWinMain@16)
tavrin_warnings(TavrinInstaller)
# Sections that nothing reaches are left out. Each object file's unwind table is one section, which the
# link keeps whole with every function it describes, so what goes is mostly data.
target_link_options(TavrinInstaller PRIVATE -Wl,--gc-sections)
# The loader maps at start only the DLLs that any dialog program maps before its WinMain (kernel32,
# user32, gdi32, comctl32, advapi32, msvcrt, version); the others, with the DLLs that they pull in, are
# loaded on their first call (cmake/DelayLoad.cmake). The hook for one that fails to load is the
# installer's own, requested up front like the entry point.
tavrin_delay_load(TavrinInstaller bcrypt netapi32 ole32 oleaut32 shell32 shlwapi wininet ws2_32)
target_link_options(TavrinInstaller PRIVATE -Wl,-u,___pfnDliFailureHook2)
# The debug information moves to TavrinInstaller.exe.debug, which the executable names for debuggers:
# Wine reads every section of an image into memory when it starts the program, debug sections too.
add_custom_command(TARGET TavrinInstaller POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:TavrinInstaller> $<TARGET_FILE:TavrinInstaller>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:TavrinInstaller>.debug
            $<TARGET_FILE:TavrinInstaller>
    VERBATIM)
