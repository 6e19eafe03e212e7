// The choice of a Thai face, the same in every backend.
#include "platform/core/ThaiFace.h"

ThaiFace chooseThaiFace(std::span<const FontFace> faces,
                        const std::function<bool(const std::string &family)> &usable,
                        const std::function<std::vector<std::string>()> &installedThai)
{
    for (const FontFace &face : faces)
        if (usable(face.family))
            return { face.family, face.pointSize };
    if (faces.empty())
        return { {}, 8.25 };
    for (const std::string &family : installedThai())
        if (usable(family))
            return { family, faces.back().pointSize };
    return { faces.front().family, faces.front().pointSize };
}
