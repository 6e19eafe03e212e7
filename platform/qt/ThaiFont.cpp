// Choosing a Thai-capable font from a list of family names.
#include "platform/qt/ThaiFont.h"

#include "platform/core/ThaiFace.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

ThaiFace thaiFace(std::span<const FontFace> faces)
{
    // Qt lists writing systems only for installed families, so this also says the family is
    // there; hasFamily would ask fontconfig to resolve aliases first, a tenth of a millisecond
    // each time, only to find the same installed name.
    return chooseThaiFace(
            faces,
            [](const std::string &family) {
                return QFontDatabase::writingSystems(QString::fromStdString(family))
                        .contains(QFontDatabase::Thai);
            },
            [] {
                std::vector<std::string> names;
                for (const QString &family : QFontDatabase::families(QFontDatabase::Thai))
                    names.push_back(family.toStdString());
                return names;
            });
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

const ThaiFace &cachedThaiFace(std::span<const FontFace> faces)
{
    static std::vector<std::pair<std::vector<FontFace>, ThaiFace>> resolved;
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
    const ThaiFace &face = cachedThaiFace(faces);
    QFont font(QString::fromStdString(face.family));
    font.setPointSizeF(face.pointSize);
    font.setBold(bold);
    return font;
}
