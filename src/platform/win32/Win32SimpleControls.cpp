#include "platform/win32/Win32SimpleControls.h"

#include "platform/RuntimeError.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

namespace {
constexpr wchar_t kContainerClass[] = L"TaboraContainer";

// Paints the frame's background and passes its controls' notifications on to the form.
LRESULT CALLBACK ContainerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT area{};
            GetClientRect(window, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, reinterpret_cast<HBRUSH>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            return 1;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

Color BackgroundOf(const ControlDescription& d, const ControlSite& site) { return d.backColor.value_or(site.containerBack); }
}  // namespace

void RegisterContainerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &ContainerProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kContainerClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) throw vb_error::Raise(vb_error::kOutOfMemory);
}

// A transparent label shows the colour of what lies behind it (see ControlSite).
Win32Label::Win32Label(const ControlDescription& d, const ControlSite& site)
    : Win32Control(d, CreateChild(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, site, d.caption),
                   d.transparent ? site.containerBack : BackgroundOf(d, site)) {}

std::u16string Win32Label::Caption() const { return WindowText(Handle()); }

void Win32Label::SetCaption(const std::u16string& caption) { SetWindowTextW(Handle(), Wide(caption)); }

HBRUSH Win32Label::OnColor(HDC dc) {
    HBRUSH brush = Win32Control::OnColor(dc);
    if (Description().transparent) SetBkMode(dc, TRANSPARENT);
    return brush;
}

FrameContainer::FrameContainer(const ControlDescription& d, const ControlSite& site)
    : background(BackgroundOf(d, site)), brush(CreateSolidBrush(ToColorRef(background))) {
    RegisterContainerClass();
    // No WS_CLIPCHILDREN: the container paints its background under its controls too (the
    // group box draws only its lines), and they paint themselves after it, as in a dialog.
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kContainerClass, L"", WS_CHILD | WS_CLIPSIBLINGS,
                                  0, 0, 0, 0, site.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) throw vb_error::Raise(vb_error::kOutOfMemory);
    container.reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush.get()));
}

Win32Frame::Win32Frame(const ControlDescription& d, const ControlSite& site)
    : FrameContainer(d, site),
      Win32Control(d, CreateChild(L"BUTTON", BS_GROUPBOX | WS_VISIBLE, 0, {container.get(), background}, d.caption),
                   background) {}

std::u16string Win32Frame::Caption() const { return WindowText(Handle()); }

void Win32Frame::SetCaption(const std::u16string& caption) {
    SetWindowTextW(Handle(), Wide(caption));
    InvalidateRect(Outer(), nullptr, TRUE);
}

void Win32Frame::OnPlaced(int width, int height) {
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE);
}

// An icon button does not draw its window text: screen readers take it for the button's name.
Win32PictureButton::Win32PictureButton(const ControlDescription& d, const ControlSite& site)
    : Win32Control(d, CreateChild(L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 0, site, d.accessibleName),
                   site.containerBack) {}

void Win32PictureButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) Click.Raise();
}

void Win32PictureButton::OnPlaced(int, int) {
    // The pictures are drawn for 16 pixels at 96 DPI.
    const int size = MulDiv(16, static_cast<int>(Dpi()), USER_DEFAULT_SCREEN_DPI);
    if (size == iconSize_ || Description().picture.empty()) return;
    iconSize_ = size;
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), Wide(Description().picture), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    SendMessageW(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_.get()));
}

}  // namespace tabora::platform::win32
