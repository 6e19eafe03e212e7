// Which installed face writes a control's Thai text, from the row of faces the layout gives.
#pragma once

#include "platform/core/FormDescription.h"

#include <functional>
#include <string>
#include <vector>

struct ThaiFace
{
    std::string family; // empty: the system's default
    double pointSize;
};

// The first face of the row that is usable (installed, writes Thai and is itself rather than a
// stand-in); failing all, the first usable installed Thai family at the last face's size;
// failing that, the first face, left to the font system. The installed families are listed
// only when the row needs them.
ThaiFace chooseThaiFace(std::span<const FontFace> faces,
                        const std::function<bool(const std::string &family)> &usable,
                        const std::function<std::vector<std::string>()> &installedThai);
