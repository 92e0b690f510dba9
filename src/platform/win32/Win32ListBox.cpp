#include "platform/win32/Win32ListBox.h"

#include <algorithm>
#include <vector>

#include "platform/RuntimeError.h"
#include "platform/win32/FileDrops.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

Win32ListBox::Win32ListBox(const ControlDescription& d, const ControlSite& site)
    : Win32Control(d,
                   CreateChild(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE,
                               site),
                   d.backColor) {
    if (d.acceptsDroppedFiles) {
        AcceptDroppedFiles(Handle());
        subclass_ = std::make_unique<Subclass>(Handle(), [this](UINT message, WPARAM wParam, LPARAM) {
            if (message != WM_DROPFILES) return std::optional<LRESULT>();
            FilesDropped.Raise(TakeDroppedFiles(wParam));
            return std::optional<LRESULT>(0);
        });
    }
}

void Win32ListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

void Win32ListBox::AddItem(const std::u16string& item) {
    if (SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item))) < 0) {
        throw vb_error::Raise(vb_error::kOutOfMemory);
    }
}

int32_t Win32ListBox::ListCount() const { return static_cast<int32_t>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

std::u16string Win32ListBox::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    const LRESULT got = SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return FromWide(text.data(), static_cast<size_t>(got > 0 ? got : 0));
}

int32_t Win32ListBox::ListIndex() const { return static_cast<int32_t>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

int32_t Win32ListBox::TopIndex() const { return static_cast<int32_t>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)); }

void Win32ListBox::SetTopIndex(int32_t index) {
    const int32_t count = ListCount();
    if (count == 0) return;
    // The list scrolls as far as it can towards the entry.
    SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(std::clamp(index, 0, count - 1)), 0);
}

void Win32ListBox::SelectEntry(int32_t index) {
    // LB_SETCURSEL scrolls the entry into view and sends no notification of its own.
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE) Click.Raise();
    if (code == LBN_DBLCLK) DblClick.Raise();
}

}  // namespace tabora::platform::win32
