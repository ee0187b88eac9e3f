# The installer's own skin: the documents and images of resources/skin packed at build time into
# one skin database (TAVRIN_SKIN_DB), embedded as resource "SKINDB" 2029 by the OBJECT library
# installer_skin, which the installer executable links.
set(TAVRIN_SKIN_DB ${CMAKE_CURRENT_BINARY_DIR}/installer.skindb CACHE INTERNAL "Packed installer skin")
set(TAVRIN_SKIN_SOURCE ${RESOURCE_DIR}/skin CACHE INTERNAL "Folder of the installer skin")
file(GLOB skin_sources CONFIGURE_DEPENDS ${RESOURCE_DIR}/skin/*)
add_custom_command(OUTPUT ${TAVRIN_SKIN_DB}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py ${RESOURCE_DIR}/skin
            ${TAVRIN_SKIN_DB} --title "Tavrin Installer" --skin-folder tavrin
    DEPENDS ${skin_sources} ${CMAKE_SOURCE_DIR}/tools/skinpack/skinpack.py
    COMMENT "Packing the installer skin" VERBATIM)
add_custom_target(installer_skin_db DEPENDS ${TAVRIN_SKIN_DB})

add_library(installer_skin OBJECT ${RESOURCE_DIR}/skin.rc)
# windres finds the packed database through its include folders.
target_include_directories(installer_skin PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
set_source_files_properties(${RESOURCE_DIR}/skin.rc PROPERTIES OBJECT_DEPENDS ${TAVRIN_SKIN_DB})
add_dependencies(installer_skin installer_skin_db)
