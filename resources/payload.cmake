# The payload resources "EXE" 129 (7z.dll), 130 (7ZG.EXE) and 131 (downloader.zip, with the engine
# DLL at its root) as the OBJECT library tavrin_payload, which the installer executable and the
# tests that unpack the engine link.
set(payload_files ${TAVRIN_PAYLOAD_DIR}/7z.dll ${TAVRIN_PAYLOAD_DIR}/7ZG.EXE ${TAVRIN_PAYLOAD_DIR}/downloader.zip)
# The programs that the installer carries are linked without symbols and debug information: in a
# build with debug information they would otherwise make up most of the installer's resources.
foreach(program sevenzip_dll sevenzip_gui xldl)
    target_link_options(${program} PRIVATE -s)
endforeach()
add_custom_command(OUTPUT ${TAVRIN_PAYLOAD_DIR}/downloader.zip
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TAVRIN_PAYLOAD_DIR}/downloader.zip
    COMMAND zip -j -X -q ${TAVRIN_PAYLOAD_DIR}/downloader.zip $<TARGET_FILE:xldl>
    DEPENDS xldl VERBATIM)
add_custom_target(payload_files DEPENDS ${TAVRIN_PAYLOAD_DIR}/downloader.zip sevenzip_dll sevenzip_gui)

add_library(tavrin_payload OBJECT ${CMAKE_CURRENT_SOURCE_DIR}/payload.rc)
# windres finds the files named in the script through its include folders.
target_include_directories(tavrin_payload PRIVATE ${TAVRIN_PAYLOAD_DIR})
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/payload.rc PROPERTIES OBJECT_DEPENDS "${payload_files}")
add_dependencies(tavrin_payload payload_files)
