// The program's module, which its window classes and resources belong to.
#pragma once

#include <windows.h>

HINSTANCE instance();

// A function of a system library that only some commands use (the Open dialog, drops, COM,
// pictures), loaded at its first call instead of with the program: those libraries and the ones
// they pull in cost the start nothing. Null if the library or the function is missing.
FARPROC systemProcedure(const wchar_t *library, const char *name);
template<typename Function> Function *systemFunction(const wchar_t *library, const char *name)
{
    return reinterpret_cast<Function *>(
            reinterpret_cast<void (*)()>(systemProcedure(library, name)));
}

// COM in a single-threaded apartment, which the shell components the Open dialog hosts want;
// started on the window's thread before the dialog's first showing, and ended with the program.
void startCom();
