// Files dragged from a file manager and dropped anywhere on a form.
#include "platform/win32/FileDrops.h"

#include "platform/ErrorGuard.h"
#include "platform/core/FileDrop.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"

namespace {

std::vector<std::string> droppedPaths(HDROP drop)
{
    static const auto dragQueryFile
            = systemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    std::vector<DroppedItem> items;
    if (!dragQueryFile)
        return {};
    const UINT count = dragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(dragQueryFile(drop, i, nullptr, 0), L'\0');
        dragQueryFile(drop, i, path.data(), UINT(path.size() + 1));
        const DWORD attributes = GetFileAttributesW(longPathForm(path).c_str());
        items.push_back({ toUtf8(path),
                          attributes != INVALID_FILE_ATTRIBUTES
                                  && (attributes & FILE_ATTRIBUTE_DIRECTORY) });
    }
    return droppableFiles(items);
}

} // namespace

void filesDropped(Form::Native &form, HDROP drop)
{
    const std::vector<std::string> paths = droppedPaths(drop);
    static const auto finish = systemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
    if (finish)
        finish(drop);
    if (!paths.empty() && form.dropHandler)
        runGuarded(form.form, [&] { form.dropHandler(paths); });
}

void Form::onFilesDropped(DropHandler handler) { native_->dropHandler = std::move(handler); }
