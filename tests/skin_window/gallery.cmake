# The gallery under Wine: colour probes of every control kind and a saved picture (the test's
# working folder is <build>/gallery), and damaged styles for every kind of the gallery's skin.
set(gallery_skin_dir ${CMAKE_BINARY_DIR}/tools/gallery-skin)
set(gallery_rc ${CMAKE_SOURCE_DIR}/tools/gallery/Gallery.rc)
# Source properties hold per folder: the resource is recompiled here too when the skin changes.
set_source_files_properties(${gallery_rc} PROPERTIES OBJECT_DEPENDS ${gallery_skin_dir}/gallery.skindb)

tavrin_add_gtest(gallery_test
    SOURCES ${TEST_DIR}/ControlTestSupport.cpp ${TEST_DIR}/GalleryTest.cpp ${gallery_rc}
    LIBS gallery_window skin_model_test_support
    LABELS unit
    TIMEOUT 180)
target_include_directories(gallery_test PRIVATE ${gallery_skin_dir})
add_dependencies(gallery_test gallery_skin)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/gallery)
# The probes move the real cursor: no other test may move it meanwhile.
set_tests_properties(gallery_test PROPERTIES RUN_SERIAL TRUE WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/gallery
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# Damaged copies of the gallery's skin, written at test time into <build>/gallery/mutants.
add_test(NAME gallery_mutants
    COMMAND /usr/bin/python3 ${TEST_DIR}/make_gallery_mutations.py ${CMAKE_SOURCE_DIR}/tools/gallery/skin
            ${CMAKE_BINARY_DIR}/gallery/mutants 300)
set_tests_properties(gallery_mutants PROPERTIES FIXTURES_SETUP gallery_mutants LABELS mutation)

tavrin_add_gtest(gallery_mutation
    SOURCES ${TEST_DIR}/ControlTestSupport.cpp ${TEST_DIR}/GalleryMutationTest.cpp ${gallery_rc}
    LIBS gallery_window skin_model_test_support test_support
    LABELS mutation
    TIMEOUT 900)
target_include_directories(gallery_mutation PRIVATE ${gallery_skin_dir})
add_dependencies(gallery_mutation gallery_skin)
set_tests_properties(gallery_mutation PROPERTIES FIXTURES_REQUIRED gallery_mutants
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/gallery
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
