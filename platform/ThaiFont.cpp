// Choosing a Thai-capable font from a list of family names.
#include "platform/ThaiFont.h"

#include <QFontDatabase>
#include <utility>
#include <vector>

namespace {

bool writesThai(const QString &family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai);
}

FontFace thaiFace(const QList<FontFace> &faces)
{
    // Qt lists writing systems only for installed families, so this also says the family is
    // there; hasFamily would ask fontconfig to resolve aliases first, a tenth of a millisecond
    // each time, only to find the same installed name.
    for (const FontFace &face : faces) {
        if (writesThai(face.family))
            return face;
    }
    const QStringList installed = QFontDatabase::families(QFontDatabase::Thai);
    if (!installed.isEmpty() && !faces.isEmpty())
        return { installed.constFirst(), faces.constLast().pointSize };
    return faces.value(0, FontFace { QString(), 8.25 });
}

// A window asks for the same few lists once per control; the installed fonts do not change
// while it is built, so each list is resolved once.
const FontFace &cachedThaiFace(const QList<FontFace> &faces)
{
    static std::vector<std::pair<QList<FontFace>, FontFace>> resolved;
    for (const auto &[list, face] : resolved) {
        if (list == faces)
            return face;
    }
    return resolved.emplace_back(faces, thaiFace(faces)).second;
}

} // namespace

QFont thaiFont(const QList<FontFace> &faces, bool bold)
{
    const FontFace &face = cachedThaiFace(faces);
    QFont font(face.family);
    font.setPointSizeF(face.pointSize);
    font.setBold(bold);
    return font;
}
