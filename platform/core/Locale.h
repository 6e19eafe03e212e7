// What the user's regional settings say about numbers.
#pragma once

#include <string>

// The decimal separator of the user's locale, UTF-8.
std::string userDecimalSeparator();
