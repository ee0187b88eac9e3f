# Folders whose pieces are written independently list no files: each piece brings a *.cmake
# fragment, and the folder includes every fragment matching its pattern, in name order, with
# <dir_var> set to the fragment's own folder. A macro, so fragments share the folder's scope.
macro(tavrin_include_parts pattern dir_var)
    file(GLOB _tavrin_parts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
    foreach(_tavrin_part ${_tavrin_parts})
        get_filename_component(${dir_var} ${_tavrin_part} DIRECTORY)
        include(${_tavrin_part})
    endforeach()
endmacro()
