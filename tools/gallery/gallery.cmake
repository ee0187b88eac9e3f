# The gallery: <build>/tools/gallery/tavrin_gallery.exe, one skinned window with every control kind,
# for the tests and the demo only (never part of the installer). Its skin is packed into
# <build>/tools/gallery-skin/gallery.skindb, which the gallery tests link as well.
set(gallery_skin_dir ${CMAKE_BINARY_DIR}/tools/gallery-skin)
add_custom_command(OUTPUT ${gallery_skin_dir}/gallery.skindb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gallery_skin_dir}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${TOOL_DIR}/skin
            ${gallery_skin_dir}/gallery.skindb --title gallery
    DEPENDS ${TOOL_DIR}/skin/main.xml ${TOOL_DIR}/skin/scrollbar.png ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py
    VERBATIM)
add_custom_target(gallery_skin DEPENDS ${gallery_skin_dir}/gallery.skindb)
set_source_files_properties(${TOOL_DIR}/Gallery.rc PROPERTIES OBJECT_DEPENDS ${gallery_skin_dir}/gallery.skindb)

add_library(gallery_window STATIC ${TOOL_DIR}/GalleryWindow.cpp ${CMAKE_SOURCE_DIR}/tools/uidriver/WindowCapture.cpp)
target_include_directories(gallery_window PUBLIC ${TOOL_DIR} ${CMAKE_SOURCE_DIR}/tools/uidriver)
target_link_libraries(gallery_window PUBLIC skin_window comctl32)
tavrin_warnings(gallery_window)

add_executable(tavrin_gallery WIN32 ${TOOL_DIR}/main.cpp ${TOOL_DIR}/Gallery.rc)
target_include_directories(tavrin_gallery PRIVATE ${gallery_skin_dir})
target_link_libraries(tavrin_gallery PRIVATE gallery_window shell32)
target_link_options(tavrin_gallery PRIVATE -municode)
add_dependencies(tavrin_gallery gallery_skin)
tavrin_warnings(tavrin_gallery)
set_target_properties(tavrin_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools/gallery)
