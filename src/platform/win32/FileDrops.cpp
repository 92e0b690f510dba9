#include "platform/win32/FileDrops.h"

#include <shellapi.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

void AcceptDroppedFiles(HWND window) { DragAcceptFiles(window, TRUE); }

DroppedFiles TakeDroppedFiles(WPARAM drop) {
    auto handle = reinterpret_cast<HDROP>(drop);
    DroppedFiles files;
    const UINT count = DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(handle, i, nullptr, 0);
        std::vector<wchar_t> path(length + 1);
        const UINT got = DragQueryFileW(handle, i, path.data(), length + 1);
        if (got > 0) files.push_back(FromWide(path.data(), got));  // some shells count an empty list as one empty name
    }
    DragFinish(handle);
    return files;
}

}  // namespace tabora::platform::win32
