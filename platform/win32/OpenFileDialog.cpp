// The open-file component over the system's Open dialog.
#include "platform/OpenFileDialog.h"

#include "platform/core/Error.h"
#include "platform/core/FileFilter.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"
#include "platform/win32/Native.h"

#include <commdlg.h>

struct OpenFileDialog::Native
{
    Form *owner;
};

namespace {

// The entries become the dialog's "Description\0pattern;pattern\0...\0\0".
std::wstring dialogFilter(const std::string &filter)
{
    const std::vector<FileFilterEntry> entries = parseFileFilter(filter);
    if (entries.empty())
        return {};
    std::wstring result;
    for (const FileFilterEntry &entry : entries) {
        std::string patterns;
        for (const std::string &pattern : entry.patterns)
            patterns += (patterns.empty() ? "" : ";") + pattern;
        result += toWide(entry.description) + L'\0' + toWide(patterns) + L'\0';
    }
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
    static const auto open
            = systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static const auto lastError = systemFunction<decltype(CommDlgExtendedError)>(
            L"comdlg32.dll", "CommDlgExtendedError");
    if (!open || !lastError)
        throw Error(ErrorKind::Dialog, "the open-file dialog is missing from this system");
    startCom();
    if (open(&dialog))
        return toUtf8(name.c_str());
    if (const DWORD error = lastError())
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
    FileName = chooser_ ? chooser_(Filter)
                        : chooseWithDialog(native_->owner->native().window, filter);
}
