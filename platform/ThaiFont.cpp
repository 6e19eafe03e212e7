// Choosing a Thai-capable font from a list of family names.
#include "platform/ThaiFont.h"

#include <QFontDatabase>

namespace {

bool writesThai(const QString &family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai);
}

FontFace thaiFace(const QList<FontFace> &faces)
{
    for (const FontFace &face : faces) {
        if (QFontDatabase::hasFamily(face.family) && writesThai(face.family))
            return face;
    }
    const QStringList installed = QFontDatabase::families(QFontDatabase::Thai);
    if (!installed.isEmpty() && !faces.isEmpty())
        return { installed.constFirst(), faces.constLast().pointSize };
    return faces.value(0, FontFace { QString(), 8.25 });
}

} // namespace

QFont thaiFont(const QList<FontFace> &faces, bool bold)
{
    const FontFace face = thaiFace(faces);
    QFont font(face.family);
    font.setPointSizeF(face.pointSize);
    font.setBold(bold);
    return font;
}
