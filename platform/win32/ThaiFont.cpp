// Fonts for Thai text chosen by family name from the installed fonts that have the Thai
// character set, so the same list serves every machine.
#include "platform/win32/ThaiFont.h"
#include "platform/core/ThaiFace.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Handles.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

int CALLBACK noteFamily(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM found)
{
    auto &families = *reinterpret_cast<std::vector<std::wstring> *>(found);
    // '@' marks the vertical-writing twin of a family.
    if (font->lfFaceName[0] != L'@')
        families.emplace_back(font->lfFaceName);
    return 1;
}

// The families that write Thai; with a name, only that family if it does.
std::vector<std::wstring> thaiFamilies(HDC screen, const std::wstring &name)
{
    std::vector<std::wstring> families;
    LOGFONTW wanted {};
    wanted.lfCharSet = THAI_CHARSET;
    lstrcpynW(wanted.lfFaceName, name.c_str(), LF_FACESIZE);
    EnumFontFamiliesExW(screen, &wanted, noteFamily, reinterpret_cast<LPARAM>(&families), 0);
    return families;
}

// Whether a family is installed, writes Thai and is the one drawn, rather than a stand-in the
// font system draws under its name (Wine's replacements are), at the size meant for the
// original. Asked of the font made for the name, which costs the window's start far less than
// listing the families of that name.
bool isUsable(HDC screen, const std::wstring &family)
{
    const GdiObject<HFONT> font(CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                            THAI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                            DEFAULT_QUALITY, DEFAULT_PITCH, family.c_str()));
    if (!font)
        return false;
    const Selection selected(screen, font.get());
    if (GetTextCharset(screen) != THAI_CHARSET)
        return false;
    const UINT size = GetOutlineTextMetricsW(screen, 0, nullptr);
    std::vector<char> metrics(size);
    auto *outline = reinterpret_cast<OUTLINETEXTMETRICW *>(metrics.data());
    // A bitmap font has no outline names: it is itself where it is listed under the name.
    if (size == 0 || !GetOutlineTextMetricsW(screen, size, outline))
        return !thaiFamilies(screen, family).empty();
    // The face of a family's regular style starts with the family's name; a stand-in keeps the
    // name asked for as its family but has a face of its own.
    const auto *face = reinterpret_cast<const wchar_t *>(
            metrics.data() + reinterpret_cast<UINT_PTR>(outline->otmpFaceName));
    return _wcsnicmp(face, family.c_str(), family.size()) == 0;
}

ThaiFace chooseFace(const FontRow &row)
{
    const WindowDc screen(nullptr);
    return chooseThaiFace(
            row.faces,
            [&](const std::string &name) { return isUsable(screen.get(), toWide(name)); },
            [&] {
                std::vector<std::wstring> installed = thaiFamilies(screen.get(), L"");
                std::sort(installed.begin(), installed.end(), [](const auto &a, const auto &b) {
                    return lstrcmpiW(a.c_str(), b.c_str()) < 0;
                });
                std::vector<std::string> names;
                for (const std::wstring &family : installed)
                    names.push_back(toUtf8(family));
                return names;
            });
}

} // namespace

HFONT createThaiFont(const FontRow &row, int dpi)
{
    // Rows that share their faces share the choice, made once for the run: asking the font
    // system is a good part of the window's start.
    static std::map<const FontFace *, ThaiFace> chosen;
    auto found = chosen.find(row.faces.data());
    if (found == chosen.end())
        found = chosen.emplace(row.faces.data(), chooseFace(row)).first;
    const ThaiFace &choice = found->second;
    // Fractional point sizes become the nearest whole pixel height, halves going up.
    const int height = -int(std::floor(choice.pointSize * dpi / 72 + 0.5));
    return CreateFontW(height, 0, 0, 0, row.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       THAI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, toWide(choice.family).c_str());
}
