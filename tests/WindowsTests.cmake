# The window-system-free unit tests, cross-built for Windows and run by ctest under Wine. The
# Windows build has no Qt: the same sources and tables build against tests/shim's stand-in for
# the parts of Qt Test they use, and the test functions that moc would find are listed here from
# each source's slots. One Wine prefix serves them all, made once per run.
enable_testing()
set(vok_wine_prefix ${CMAKE_CURRENT_BINARY_DIR}/tests/wine-prefix)
add_test(NAME wine_prefix COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-run.sh --start
    ${vok_wine_prefix})
add_test(NAME wine_prefix_remove COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-run.sh --stop
    ${vok_wine_prefix})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_prefix_remove PROPERTIES FIXTURES_CLEANUP wine)

foreach(name tst_decoderecord tst_loadlog tst_loadlogbulk tst_chartscale tst_numberformat tst_backendlogic)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/tests/${name}.cpp)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/tests/${name})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(READ ${source} text)
    string(REGEX REPLACE "^.*private slots:" "" text "${text}")
    string(REGEX MATCHALL "void [A-Za-z0-9_]+\\(\\)" functions "${text}")
    set(list "")
    foreach(function IN LISTS functions)
        string(REGEX REPLACE "void ([A-Za-z0-9_]+)\\(\\)" "\\1" function "${function}")
        if(NOT function MATCHES "_data$")
            string(APPEND list " X(${function})")
        endif()
    endforeach()
    file(CONFIGURE OUTPUT ${generated}/TestFunctions.h CONTENT "#define VOK_TEST_FUNCTIONS(X)${list}\n")
    file(CONFIGURE OUTPUT ${generated}/${name}.moc CONTENT "")

    add_executable(${name} ${source})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests/shim ${generated})
    target_link_libraries(${name} PRIVATE core)
    target_link_options(${name} PRIVATE -static)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
        "bash;${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-run.sh;${vok_wine_prefix}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
endforeach()
# A user who writes decimals with a comma, in a prefix of its own.
add_test(NAME tst_numberformat_comma COMMAND tst_numberformat)
set_tests_properties(tst_numberformat_comma PROPERTIES FIXTURES_REQUIRED wine
    ENVIRONMENT "VOK_WINE_DECIMAL=,;VOK_TEST_DECIMAL=,")
