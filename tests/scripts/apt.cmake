# The set-up's handling of package lists that a mirror fails to give, on apt's recorded words and
# sources files of both formats; apt itself is stood in for, so nothing is fetched.
add_test(NAME apt_lists_test COMMAND bash ${TEST_DIR}/apt_lists_test.sh ${CMAKE_SOURCE_DIR}/scripts/apt.sh)
set_tests_properties(apt_lists_test PROPERTIES LABELS unit)
