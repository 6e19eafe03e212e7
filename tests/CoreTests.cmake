# The window-system-free unit tests, on doctest, built alike for Linux (tests/CMakeLists.txt) and
# for Windows (tests/WindowsTests.cmake, run under Wine). doctest is header-only: only its own
# folder joins the include path, so that the cross build sees none of the host's other headers.
# Its main is built once and linked by every test.
find_path(VOK_DOCTEST_DIR doctest.h PATH_SUFFIXES doctest PATHS /usr/include
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_library(doctest_main STATIC ${CMAKE_CURRENT_LIST_DIR}/core/main.cpp)
target_include_directories(doctest_main SYSTEM PUBLIC ${VOK_DOCTEST_DIR})

set(VOK_CORE_TESTS tst_decoderecord tst_loadlog tst_loadlogbulk tst_chartscale tst_numberformat
    tst_backendlogic tst_picturemodel)
foreach(name IN LISTS VOK_CORE_TESTS)
    add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
    target_link_libraries(${name} PRIVATE core doctest_main)
    add_test(NAME ${name} COMMAND ${name})
endforeach()
# Nothing here for moc to find.
set_target_properties(doctest_main ${VOK_CORE_TESTS} PROPERTIES AUTOMOC OFF)
