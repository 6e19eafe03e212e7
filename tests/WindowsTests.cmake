# The window-system-free unit tests, cross-built for Windows and run by ctest under Wine: the same
# sources as the Linux build's (CoreTests.cmake). One Wine prefix serves them all, made once per
# run.
enable_testing()
set(vok_wine_prefix ${CMAKE_CURRENT_BINARY_DIR}/tests/wine-prefix)
add_test(NAME wine_prefix COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --start
    ${vok_wine_prefix})
add_test(NAME wine_prefix_remove COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --stop
    ${vok_wine_prefix})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_prefix_remove PROPERTIES FIXTURES_CLEANUP wine)

include(${CMAKE_CURRENT_LIST_DIR}/CoreTests.cmake)
foreach(name IN LISTS VOK_CORE_TESTS)
    target_link_options(${name} PRIVATE -static)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
        "bash;${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${vok_wine_prefix}")
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
endforeach()
# A user who writes decimals with a comma, in a prefix of its own.
add_test(NAME tst_numberformat_comma COMMAND tst_numberformat)
set_tests_properties(tst_numberformat_comma PROPERTIES FIXTURES_REQUIRED wine
    ENVIRONMENT "VOK_WINE_DECIMAL=,;VOK_TEST_DECIMAL=,")
