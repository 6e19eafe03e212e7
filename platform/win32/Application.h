// The program's module, which its window classes and resources belong to.
#pragma once

#include <windows.h>

HINSTANCE instance();
