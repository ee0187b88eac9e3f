# Imported targets for the third-party libraries built by scripts/build-deps.sh into TAVRIN_DEPS.
if(NOT TAVRIN_DEPS)
    message(FATAL_ERROR "TAVRIN_DEPS is not set: configure through scripts/build.sh")
endif()

function(tavrin_import name lib)
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION ${TAVRIN_DEPS}/lib/${lib}
        INTERFACE_INCLUDE_DIRECTORIES ${TAVRIN_DEPS}/include)
    if(ARGN)
        set_property(TARGET ${name} PROPERTY INTERFACE_LINK_LIBRARIES ${ARGN})
    endif()
endfunction()

tavrin_import(deps::zlib libz.a)
tavrin_import(deps::png libpng16.a deps::zlib)
tavrin_import(deps::jpeg libjpeg.a)
tavrin_import(deps::tinyxml libtinyxml.a)
# TinyXML is built with its STL strings; every user of its header must agree.
set_property(TARGET deps::tinyxml APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS TIXML_USE_STL)
tavrin_import(deps::cryptopp libcryptopp.a)
tavrin_import(deps::curl libcurl.a ws2_32 crypt32 bcrypt advapi32)
set_property(TARGET deps::curl APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB)
tavrin_import(deps::boost_thread libboost_thread.a)
set_property(TARGET deps::boost_thread APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS BOOST_THREAD_USE_LIB)
tavrin_import(deps::gtest libgtest.a)
tavrin_import(deps::gtest_main libgtest_main.a deps::gtest)
tavrin_import(deps::gmock libgmock.a deps::gtest)

# Everything is linked statically so that each executable runs alone under Wine or Windows.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# Every function and variable of our own code in a section of its own, so that a link can leave out
# what nothing uses (installer/Executable.cmake).
add_compile_options($<$<COMPILE_LANGUAGE:CXX,C>:-ffunction-sections> $<$<COMPILE_LANGUAGE:CXX,C>:-fdata-sections>)
