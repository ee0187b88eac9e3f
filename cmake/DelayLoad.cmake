# Delay loading of DLLs: an executable that names a DLL in its delay-import table instead of its import
# table has the loader map that DLL (and the DLLs it pulls in) on the first call of one of its
# functions, not before WinMain. The delay-import library of each DLL is made by dlltool from
# <dll>.def, the functions that the program and its libraries call (stdcall names with their argument
# sizes; no data, which cannot be delay-loaded). It is named like the system's import library and lies
# in a folder of the target's that is searched before the system's, so every -l<dll> of the link,
# whichever library asks for it, finds the delay-import library. A function missing from the .def file
# fails the link. The C runtime library's __delayLoadHelper2 does the loading; the program brings the
# hook for a DLL that fails to load (installer/DelayLoadFailure.cpp).
# GNU ld keeps the code of an import stub only when the stub's own symbol is referenced. A call through
# a dllimport declaration (most Windows headers) references only the function's address slot, whose
# first value is that code; without it the slot stays null and the first call jumps to address 0. So
# the link asks for every function's stub.

# tavrin_delay_load(target [DEFINITIONS folder] dll ...): the .def files are in the folder given, by
# default cmake/delay-load. The target's property TAVRIN_DELAY_LOADED lists the DLLs.
function(tavrin_delay_load target)
    cmake_parse_arguments(D "" "DEFINITIONS" "" ${ARGN})
    if(NOT D_DEFINITIONS)
        set(D_DEFINITIONS ${CMAKE_SOURCE_DIR}/cmake/delay-load)
    endif()
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}.delay-load)
    set(libraries)
    foreach(dll ${D_UNPARSED_ARGUMENTS})
        set(def ${D_DEFINITIONS}/${dll}.def)
        set(library ${folder}/lib${dll}.a)
        add_custom_command(OUTPUT ${library}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --output-delaylib ${library}
            DEPENDS ${def} VERBATIM)
        list(APPEND libraries ${library})
        # The stubs to ask for are read from the .def file when CMake runs, so it runs again on a change.
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
        file(STRINGS ${def} functions REGEX "^[A-Za-z_][A-Za-z0-9_]*@[0-9]+$")
        foreach(function ${functions})
            target_link_options(${target} PRIVATE -Wl,-u,_${function})
        endforeach()
    endforeach()
    add_custom_target(${target}_delay_load DEPENDS ${libraries})
    add_dependencies(${target} ${target}_delay_load)
    target_link_directories(${target} BEFORE PRIVATE ${folder})
    set_property(TARGET ${target} APPEND PROPERTY TAVRIN_DELAY_LOADED ${D_UNPARSED_ARGUMENTS})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${libraries})
endfunction()
