# The stand-in extractor: "7z.dll" (the ZIP reader) and "7ZG.EXE" (its command line), built into
# the payload folder beside the engine's archive.
set(TAVRIN_PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload CACHE INTERNAL "Folder of the embedded payload files")

add_library(sevenzip_cmdline STATIC ${STANDIN_DIR}/SevenZipCommandLine.cpp)
target_include_directories(sevenzip_cmdline PUBLIC ${STANDIN_DIR})
tavrin_warnings(sevenzip_cmdline)

add_library(sevenzip_dll SHARED ${STANDIN_DIR}/ZipExtractor.cpp)
set_target_properties(sevenzip_dll PROPERTIES PREFIX "" OUTPUT_NAME 7z
    RUNTIME_OUTPUT_DIRECTORY ${TAVRIN_PAYLOAD_DIR})
target_compile_definitions(sevenzip_dll PRIVATE SEVENZIP_BUILDING_LIBRARY)
target_link_libraries(sevenzip_dll PRIVATE deps::zlib)
tavrin_warnings(sevenzip_dll)

add_executable(sevenzip_gui WIN32 ${STANDIN_DIR}/SevenZipGui.cpp)
set_target_properties(sevenzip_gui PROPERTIES OUTPUT_NAME 7ZG SUFFIX .EXE
    RUNTIME_OUTPUT_DIRECTORY ${TAVRIN_PAYLOAD_DIR})
target_link_options(sevenzip_gui PRIVATE -municode)
target_link_libraries(sevenzip_gui PRIVATE sevenzip_cmdline)
tavrin_warnings(sevenzip_gui)
