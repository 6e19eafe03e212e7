// The one main of the window-system-free tests: runs every test case linked into the program and
// takes doctest's options (--test-case=NAME, --success, ...).
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include <limits>

int main(int argc, char **argv)
{
    // Failed checks show floats in full: values one unit apart in the last place must not print
    // alike. doctest writes every value through this one stream.
    doctest::detail::tlssPush()->precision(std::numeric_limits<float>::max_digits10);
    doctest::detail::tlssPop();
    return doctest::Context(argc, argv).run();
}
