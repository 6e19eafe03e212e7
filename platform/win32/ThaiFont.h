// Fonts for Thai text.
#pragma once

#include "platform/core/FormDescription.h"

#include <windows.h>

// A font from a row of faces, at the given dpi.
HFONT createThaiFont(const FontRow &row, int dpi);
