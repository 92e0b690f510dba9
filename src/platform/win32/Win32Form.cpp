#include "platform/win32/Win32Form.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/RuntimeError.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/Twips.h"
#include "platform/win32/UiGuard.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ListBox.h"
#include "platform/win32/Win32SimpleControls.h"
#include "platform/win32/Win32TextBox.h"

namespace tabora::platform::win32 {

namespace {
constexpr wchar_t kFormClass[] = L"TaboraForm";
constexpr int kToolTipWidth = 320;  // pixels at 96 DPI, before a tip wraps

std::map<HWND, Win32Form*>& Forms() {
    static std::map<HWND, Win32Form*> forms;  // the UI thread's forms
    return forms;
}

DWORD StyleOf(const FormDescription& d) {
    if (d.border == BorderStyle::FixedToolWindow) return WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    if (d.minButton) style |= WS_MINIMIZEBOX;
    if (d.maxButton) style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD ExStyleOf(const FormDescription& d) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (d.border == BorderStyle::FixedToolWindow || !d.showInTaskbar) exStyle |= WS_EX_TOOLWINDOW;
    return exStyle;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::unique_ptr<Control> MakeControl(const ControlDescription& d, const ControlSite& site) {
    switch (d.kind) {
        case ControlKind::TextBox: return std::make_unique<Win32TextBox>(d, site);
        case ControlKind::ListBox: return std::make_unique<Win32ListBox>(d, site);
        case ControlKind::Label: return std::make_unique<Win32Label>(d, site);
        case ControlKind::Frame: return std::make_unique<Win32Frame>(d, site);
        case ControlKind::PictureButton: return std::make_unique<Win32PictureButton>(d, site);
    }
    throw vb_error::Raise(vb_error::kInvalidProcedureCall);
}

void RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        // Each form takes its windows over once created (Win32Form::Procedure).
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) throw vb_error::Raise(vb_error::kOutOfMemory);
}
}  // namespace

Win32Form::Win32Form(const FormDescription& description)
    : description_(description), background_(CreateSolidBrush(ToColorRef(description.backColor))) {
    CreateWindowFromDescription();
    CreateControls();
    ApplyDpi(DpiOfWindow(Window()));
    SetClientSize(dpi_);
}

Win32Form::~Win32Form() {
    Forms().erase(Window());
    SetWindowLongPtrW(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    controls_.clear();
}

void Win32Form::CreateWindowFromDescription() {
    RegisterFormClass();
    RegisterContainerClass();
    HWND window = CreateWindowExW(ExStyleOf(description_), kFormClass, Wide(description_.caption), StyleOf(description_),
                                  CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) throw vb_error::Raise(vb_error::kOutOfMemory);
    window_.reset(window);
    Forms()[window] = this;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Form::Procedure));
    if (!description_.showInTaskbar) {
        // A tool window without owner: kept out of the task bar, with its own system menu.
        SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyleOf(description_)));
    }
    toolTips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
}

void Win32Form::CreateControls() {
    for (const ControlDescription& d : description_.controls) {
        ControlSite site{Window(), description_.backColor};
        if (!d.container.empty()) {
            auto* frame = dynamic_cast<Win32Frame*>(FindControl(d.container));
            if (frame == nullptr) throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
            site = {frame->Container(), frame->Background()};
        }
        if (d.kind == ControlKind::Label && d.transparent) site.containerBack = ColorBehind(d, site.containerBack);
        std::unique_ptr<Control> control = MakeControl(d, site);
        auto* native = dynamic_cast<NativeControl*>(control.get());
        byHandle_[native->Handle()] = native;
        if (!d.toolTip.empty()) AddToolTip(native->Handle(), d.toolTip);
        // Screen readers name a text or list box after the label just in front of it; this one
        // stays hidden, so that it shows nothing.
        WindowOwner nameLabel;
        if ((d.kind == ControlKind::TextBox || d.kind == ControlKind::ListBox) && !d.accessibleName.empty()) {
            nameLabel = CreateChild(L"STATIC", SS_LEFT | SS_NOPREFIX, 0, site, d.accessibleName);
        }
        controls_.push_back({std::move(control), native, std::move(nameLabel)});
    }
    // Later controls lie in front: each goes to the top of its siblings in turn.
    constexpr UINT kOnlyOrder = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (const Entry& entry : controls_) {
        SetWindowPos(entry.native->Outer(), HWND_TOP, 0, 0, 0, 0, kOnlyOrder);
        if (entry.nameLabel) SetWindowPos(entry.nameLabel.get(), HWND_TOP, 0, 0, 0, 0, kOnlyOrder);
        if (entry.control->Visible()) ::ShowWindow(entry.native->Outer(), SW_SHOWNA);
        if (entry.native->IsTabStop()) tabOrder_.push_back(entry.native);
    }
    std::stable_sort(tabOrder_.begin(), tabOrder_.end(),
                     [](const NativeControl* a, const NativeControl* b) { return a->TabIndex() < b->TabIndex(); });
}

Color Win32Form::ColorBehind(const ControlDescription& label, Color container) const {
    // The topmost earlier label of the same container with a colour of its own that covers the
    // label's middle; the container's colour when there is none.
    const int32_t x = label.left + label.width / 2;
    const int32_t y = label.top + label.height / 2;
    Color behind = container;
    for (const ControlDescription& d : description_.controls) {
        if (&d == &label) break;
        if (d.kind != ControlKind::Label || d.transparent || !d.backColor || d.container != label.container) continue;
        if (x >= d.left && x < d.left + d.width && y >= d.top && y < d.top + d.height) behind = *d.backColor;
    }
    return behind;
}

void Win32Form::AddToolTip(HWND control, const std::u16string& text) {
    if (!toolTips_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    std::u16string copy = text;  // the tool keeps a copy of its own
    tool.lpszText = reinterpret_cast<wchar_t*>(copy.data());
    SendMessageW(toolTips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Form::ApplyDpi(unsigned dpi) {
    dpi_ = dpi == 0 ? USER_DEFAULT_SCREEN_DPI : dpi;
    font_ = MakeFont(description_.font, dpi_);
    SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (const Entry& entry : controls_) entry.native->ApplyDpi(dpi_, font_.get());
    if (toolTips_) {
        SendMessageW(toolTips_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        SendMessageW(toolTips_.get(), TTM_SETMAXTIPWIDTH, 0, MulDiv(kToolTipWidth, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI));
    }
    if (!description_.icon.empty()) {
        auto load = [&](int metric) {
            const int size = SystemMetricAtDpi(metric, dpi_);
            return IconOwner(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), Wide(description_.icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        };
        bigIcon_ = load(SM_CXICON);
        smallIcon_ = load(SM_CXSMICON);
        SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
}

void Win32Form::SetClientSize(unsigned dpi) {
    RECT rect{0, 0, TwipsToPixels(static_cast<float>(description_.clientWidth), dpi),
              TwipsToPixels(static_cast<float>(description_.clientHeight), dpi)};
    AdjustWindowRectAtDpi(rect, StyleOf(description_), ExStyleOf(description_), dpi);
    SetWindowPos(Window(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Control* Win32Form::FindControl(const std::u16string& name) {
    for (const Entry& entry : controls_) {
        if (entry.control->Name() == name) return entry.control.get();
    }
    return nullptr;
}

HWND Win32Form::HandleOf(const std::u16string& name) const {
    for (const Entry& entry : controls_) {
        if (entry.control->Name() == name) return entry.native->Handle();
    }
    return nullptr;
}

float Win32Form::Top() const { return PixelsToTwips(WindowRect(Window()).top, dpi_); }
float Win32Form::Left() const { return PixelsToTwips(WindowRect(Window()).left, dpi_); }
float Win32Form::Width() const {
    const RECT r = WindowRect(Window());
    return PixelsToTwips(r.right - r.left, dpi_);
}
float Win32Form::Height() const {
    const RECT r = WindowRect(Window());
    return PixelsToTwips(r.bottom - r.top, dpi_);
}

void Win32Form::SetTop(float twips) {
    SetWindowPos(Window(), nullptr, WindowRect(Window()).left, TwipsToPixels(twips, dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void Win32Form::SetLeft(float twips) {
    SetWindowPos(Window(), nullptr, TwipsToPixels(twips, dpi_), WindowRect(Window()).top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void Win32Form::SetWidth(float twips) {
    RefuseWhileMinimized(IsIconic(Window()) != FALSE);
    const RECT r = WindowRect(Window());
    SetWindowPos(Window(), nullptr, 0, 0, TwipsToPixels(twips, dpi_), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void Win32Form::SetHeight(float twips) {
    RefuseWhileMinimized(IsIconic(Window()) != FALSE);
    const RECT r = WindowRect(Window());
    SetWindowPos(Window(), nullptr, 0, 0, r.right - r.left, TwipsToPixels(twips, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Form::Visible() const { return IsWindowVisible(Window()) != FALSE; }
void Win32Form::SetVisible(bool visible) {
    if (visible) {
        Show();
    } else {
        ::ShowWindow(Window(), SW_HIDE);
    }
}
void Win32Form::EnableWindow(bool enabled, bool modalChildOpen) {
    ::EnableWindow(Window(), enabled && !modalChildOpen ? TRUE : FALSE);
}

std::u16string Win32Form::Caption() const { return WindowText(Window()); }
void Win32Form::SetCaption(const std::u16string& caption) { SetWindowTextW(Window(), Wide(caption)); }

void Win32Form::ShowWindow(bool firstTime) {
    ::ShowWindow(Window(), SW_SHOW);
    if (!firstTime) {
        SetForegroundWindow(Window());
        return;
    }
    UpdateWindow(Window());
    FocusFirstControl();
}

void Win32Form::FocusFirstControl() {
    for (NativeControl* control : tabOrder_) {
        if (IsWindowEnabled(control->Handle()) && IsWindowVisible(control->Handle())) {
            SetFocus(control->Handle());
            break;
        }
    }
}

void Win32Form::CenterOver(HWND owner) {
    const RECT o = WindowRect(owner);
    const RECT w = WindowRect(Window());
    const int width = w.right - w.left;
    const int height = w.bottom - w.top;
    int x = o.left + ((o.right - o.left) - width) / 2;
    int y = o.top + ((o.bottom - o.top) - height) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        x = std::clamp<int>(x, monitor.rcWork.left, std::max<int>(monitor.rcWork.left, monitor.rcWork.right - width));
        y = std::clamp<int>(y, monitor.rcWork.top, std::max<int>(monitor.rcWork.top, monitor.rcWork.bottom - height));
    }
    SetWindowPos(Window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::PrepareModal(Form& owner) {
    // An owner of another kind is locked all the same, only not linked to this window.
    auto* ownerForm = dynamic_cast<Win32Form*>(&owner);
    if (ownerForm == nullptr) return;
    SetWindowLongPtrW(Window(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerForm->Window()));
    if (description_.startPosition == StartPosition::CenterOwner) CenterOver(ownerForm->Window());
}

void Win32Form::RunModalLoop() {
    RunUntil([this] { return !IsLoaded(); });
}

void Win32Form::ModalEnded(Form& owner) {
    // The owner takes the activation back before this window goes, not another program.
    if (auto* ownerForm = dynamic_cast<Win32Form*>(&owner)) SetActiveWindow(ownerForm->Window());
}

void Win32Form::HideWindow() { ::ShowWindow(Window(), SW_HIDE); }

Win32Form* Win32Form::OfWindow(HWND window) {
    auto found = Forms().find(window);
    return found == Forms().end() ? nullptr : found->second;
}

NativeControl* Win32Form::ControlOf(HWND window) const {
    for (HWND w = window; w != nullptr && w != Window(); w = GetParent(w)) {
        auto found = byHandle_.find(w);
        if (found != byHandle_.end()) return found->second;
    }
    return nullptr;
}

void Win32Form::MoveFocus(bool backwards) {
    if (tabOrder_.empty()) return;
    NativeControl* current = ControlOf(GetFocus());
    auto at = std::find(tabOrder_.begin(), tabOrder_.end(), current);
    const auto count = static_cast<ptrdiff_t>(tabOrder_.size());
    ptrdiff_t index = at == tabOrder_.end() ? (backwards ? 0 : -1) : at - tabOrder_.begin();
    for (ptrdiff_t step = 0; step < count; ++step) {
        index = (index + (backwards ? count - 1 : 1)) % count;
        NativeControl* next = tabOrder_[static_cast<size_t>(index)];
        if (next == current) return;
        if (!IsWindowEnabled(next->Handle()) || !IsWindowVisible(next->Handle())) continue;
        if (current != nullptr && !current->AllowFocusToLeave()) return;
        SetFocus(next->Handle());
        if (GetWindowLongPtrW(next->Handle(), GWL_STYLE) & ES_AUTOHSCROLL) {
            SendMessageW(next->Handle(), EM_SETSEL, 0, -1);
        }
        return;
    }
}

bool Win32Form::PreTranslate(const MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
                bool handled = false;
                Guarded([&] {
                    MoveFocus(GetKeyState(VK_SHIFT) < 0);
                    handled = true;
                });
                return handled;
            }
            return false;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            NativeControl* current = ControlOf(GetFocus());
            NativeControl* target = ControlOf(message.hwnd);
            if (current == nullptr || target == nullptr || target == current || !target->IsTabStop()) return false;
            bool allowed = true;
            Guarded([&] { allowed = current->AllowFocusToLeave(); });
            return !allowed;
        }
        default: return false;
    }
}

LRESULT CALLBACK Win32Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Form* form = OfWindow(window);
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    bool answered = false;
    Guarded([&] {
        result = form->OnMessage(message, wParam, lParam);
        answered = true;
    });
    return answered ? result : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT area{};
            GetClientRect(Window(), &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, background_.get());
            return 1;
        }
        case WM_COMMAND:
            if (NativeControl* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
                control->OnCommand(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (NativeControl* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
                if (HBRUSH brush = control->OnColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_SIZE:
            if (Shown()) Resize.Raise();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && Shown()) WindowActivated.Raise();
            if (LOWORD(wParam) != WA_INACTIVE && Shown() && IsLoaded() && lParam != 0 &&
                GetWindowThreadProcessId(reinterpret_cast<HWND>(lParam), nullptr) == GetCurrentThreadId()) {
                Activate.Raise();
            }
            break;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ApplyDpi(HIWORD(wParam));
            SetWindowPos(Window(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default: break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

std::unique_ptr<Form> Win32FormFactory::Create(const FormDescription& description) {
    return std::make_unique<Win32Form>(description);
}

}  // namespace tabora::platform::win32
