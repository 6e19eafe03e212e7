// Fonts for Thai text chosen by family name, so the same list serves every machine.
#pragma once

#include "platform/core/FormDescription.h"

#include <QFont>
#include <span>

// The first of `faces` that is installed and can write Thai, at its size; failing all of them,
// the first installed Thai-capable family at the last face's size; failing that, the first
// face. A family that exists without Thai glyphs is passed over, as it would show Thai text as
// boxes. Each list is resolved once per process: fonts installed later are not seen.
QFont thaiFont(std::span<const FontFace> faces, bool bold);
