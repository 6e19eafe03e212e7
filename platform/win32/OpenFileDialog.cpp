// The open-file component over the system's Open dialog.
#include "platform/OpenFileDialog.h"

#include "platform/Error.h"
#include "platform/win32/Native.h"
#include "platform/win32/Text.h"

#include <commdlg.h>

#include <string_view>

struct OpenFileDialog::Native
{
    Form *owner;
};

namespace {

// "Description|pattern|..." becomes the dialog's "Description\0pattern\0...\0\0"; patterns
// already use the ';' the dialog separates them with.
std::wstring dialogFilter(const std::string &filter)
{
    if (filter.empty())
        return {};
    std::wstring result;
    size_t parts = 0;
    size_t start = 0;
    while (true) {
        const size_t bar = filter.find('|', start);
        result += toWide(std::string_view(filter).substr(start, bar - start));
        result += L'\0';
        ++parts;
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    if (parts % 2 != 0)
        throw Error(ErrorKind::Dialog, "the file filter \"" + filter + "\" lacks a pattern");
    return result + L'\0';
}

std::string chooseWithDialog(HWND owner, const std::wstring &filter)
{
    // Room for the longest path the system can name.
    std::wstring name(32768, L'\0');
    OPENFILENAMEW dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameW(&dialog))
        return toUtf8(name.c_str());
    if (const DWORD error = CommDlgExtendedError())
        throw Error(ErrorKind::Dialog,
                    "the open-file dialog failed (common dialog error " + std::to_string(error)
                            + ")");
    return {}; // cancelled
}

} // namespace

OpenFileDialog::OpenFileDialog(Form &owner) : native_(std::make_unique<Native>(&owner)) { }

OpenFileDialog::~OpenFileDialog() = default;

void OpenFileDialog::ShowOpen()
{
    const std::wstring filter = dialogFilter(Filter);
    FileName
            = chooser ? chooser(Filter) : chooseWithDialog(native_->owner->native().window, filter);
}
