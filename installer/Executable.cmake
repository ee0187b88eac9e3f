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
