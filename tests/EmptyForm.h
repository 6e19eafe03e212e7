// A form with nothing but a File menu, for tests of the platform layer on its own.
#pragma once

#include "platform/core/FormDescription.h"

inline constexpr FontFace EmptyFormFaces[] { { "DejaVu Sans", 9 } };
inline constexpr FontRow EmptyFormFont { EmptyFormFaces, false };
inline constexpr MenuRow EmptyFormMenus[] { { "mnuFile", "&File", nullptr } };
inline constexpr FormDescription EmptyForm {
    "Test", "icon", 0, 0, 9960, 7035, &EmptyFormFont, {}, EmptyFormMenus, {}
};
