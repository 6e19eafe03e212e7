// Choosing a Thai-capable font from a list of family names.
#include "platform/qt/ThaiFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

bool writesThai(const QString &family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai);
}

// A family and its point size, resolved to an installed family.
struct InstalledFace
{
    QString family;
    double pointSize;
};

InstalledFace thaiFace(std::span<const FontFace> faces)
{
    // Qt lists writing systems only for installed families, so this also says the family is
    // there; hasFamily would ask fontconfig to resolve aliases first, a tenth of a millisecond
    // each time, only to find the same installed name.
    for (const FontFace &face : faces) {
        const QString family = QString::fromUtf8(face.family);
        if (writesThai(family))
            return { family, face.pointSize };
    }
    const QStringList installed = QFontDatabase::families(QFontDatabase::Thai);
    if (!installed.isEmpty() && !faces.empty())
        return { installed.constFirst(), faces.back().pointSize };
    if (faces.empty())
        return { QString(), 8.25 };
    return { QString::fromUtf8(faces.front().family), faces.front().pointSize };
}

// A window asks for the same few lists once per control; the installed fonts do not change
// while it is built, so each list is resolved once.
bool sameFaces(const std::vector<FontFace> &list, std::span<const FontFace> faces)
{
    return std::equal(list.begin(), list.end(), faces.begin(), faces.end(),
                      [](const FontFace &a, const FontFace &b) {
                          return std::strcmp(a.family, b.family) == 0 && a.pointSize == b.pointSize;
                      });
}

const InstalledFace &cachedThaiFace(std::span<const FontFace> faces)
{
    static std::vector<std::pair<std::vector<FontFace>, InstalledFace>> resolved;
    for (const auto &[list, face] : resolved) {
        if (sameFaces(list, faces))
            return face;
    }
    return resolved.emplace_back(std::vector<FontFace>(faces.begin(), faces.end()), thaiFace(faces))
            .second;
}

} // namespace

QFont thaiFont(std::span<const FontFace> faces, bool bold)
{
    const InstalledFace &face = cachedThaiFace(faces);
    QFont font(face.family);
    font.setPointSizeF(face.pointSize);
    font.setBold(bold);
    return font;
}
