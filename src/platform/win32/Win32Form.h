#pragma once
// A form rendered with native windows from its description.
//
// Height and Width are the window's outer size in twips, Top and Left its place on the screen,
// all at the window's DPI (the process is per-monitor DPI aware; a move to a monitor of another
// DPI lays everything out again from the twips). Controls later in the description lie in
// front of earlier ones; Tab moves through the controls by their tab index. Unload hides the
// window; the windows themselves go with this object, so that no handle outlives its control.

#include <map>
#include <memory>
#include <vector>

#include "platform/Forms.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/NativeControl.h"

namespace tabora::platform::win32 {

class Win32Form : public Form {
public:
    explicit Win32Form(const FormDescription& description);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    std::u16string Name() const override { return description_.name; }
    float Top() const override;
    void SetTop(float twips) override;
    float Left() const override;
    void SetLeft(float twips) override;
    float Width() const override;
    void SetWidth(float twips) override;
    float Height() const override;
    void SetHeight(float twips) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;

    std::u16string Caption() const override;
    void SetCaption(const std::u16string& caption) override;

    HWND Window() const { return window_.get(); }
    // The native window of a control, for tests.
    HWND HandleOf(const std::u16string& name) const;

    // The form a window belongs to, if it is one of ours.
    static Win32Form* OfWindow(HWND window);
    // Keyboard and mouse input the form handles before the window it is for: Tab moves the
    // focus, and the focus leaves a control only when the control allows it. True when the
    // message has been handled (and must not be dispatched).
    bool PreTranslate(const MSG& message);

private:
    struct Entry {
        std::unique_ptr<Control> control;
        NativeControl* native;
        WindowOwner nameLabel;  // a text or list box's name, for screen readers (see CreateControls)
    };

    Control* FindControl(const std::u16string& name) override;
    void ShowWindow(bool firstTime) override;
    void HideWindow() override;
    void EnableWindow(bool enabled, bool modalChildOpen) override;
    void PrepareModal(Form& owner) override;
    void RunModalLoop() override;
    void EndModalLoop() override {}
    void ModalEnded(Form& owner) override;
    void CreateWindowFromDescription();
    void CreateControls();
    void AddToolTip(HWND control, const std::u16string& text);
    Color ColorBehind(const ControlDescription& label, Color container) const;
    void ApplyDpi(unsigned dpi);
    void SetClientSize(unsigned dpi);
    void CenterOver(HWND owner);
    NativeControl* ControlOf(HWND window) const;
    void MoveFocus(bool backwards);
    void FocusFirstControl();

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    FormDescription description_;
    BrushOwner background_;
    FontOwner font_;
    IconOwner bigIcon_;
    IconOwner smallIcon_;
    WindowOwner window_;
    WindowOwner toolTips_;
    std::vector<Entry> controls_;  // in the description's order; destroyed before the window
    std::map<HWND, NativeControl*> byHandle_;
    std::vector<NativeControl*> tabOrder_;
    unsigned dpi_ = USER_DEFAULT_SCREEN_DPI;
};

class Win32FormFactory : public FormFactory {
public:
    std::unique_ptr<Form> Create(const FormDescription& description) override;
};

}  // namespace tabora::platform::win32
