# The installer executable's own resources (dialog templates, icon, version block, manifest), as an
# object library that the executable links.
add_library(installer_resources OBJECT ${CMAKE_CURRENT_LIST_DIR}/installer.rc)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/installer.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/installer.ico;${CMAKE_CURRENT_LIST_DIR}/installer.manifest")
