#pragma once
// The part every native control shares: its window, its place in twips (kept as set, drawn at
// the window's DPI), visibility, enabled state and colours.

#include <optional>
#include <string>

#include "platform/Controls.h"
#include "platform/FormDescription.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/NativeControl.h"
#include "platform/win32/Twips.h"

namespace tabora::platform::win32 {

inline COLORREF ToColorRef(Color color) { return RGB(color.red, color.green, color.blue); }

FontOwner MakeFont(const FontSpec& font, unsigned dpi);

// What a control needs from its form to be created.
struct ControlSite {
    HWND parent;          // the form, or the frame's container
    Color containerBack;  // the colour behind the control (a transparent label's own)
};

template <class Base>
class Win32Control : public Base, public NativeControl {
public:
    std::u16string Name() const override { return description_.name; }

    float Top() const override { return top_; }
    void SetTop(float twips) override {
        top_ = twips;
        Place();
    }
    float Left() const override { return left_; }
    void SetLeft(float twips) override {
        left_ = twips;
        Place();
    }
    float Width() const override { return width_; }
    void SetWidth(float twips) override {
        width_ = twips;
        Place();
    }
    float Height() const override { return height_; }
    void SetHeight(float twips) override {
        height_ = twips;
        Place();
    }

    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override {
        visible_ = visible;
        ShowWindow(Outer(), visible ? SW_SHOWNA : SW_HIDE);
    }
    bool Enabled() const override { return IsWindowEnabled(Handle()) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(Handle(), enabled ? TRUE : FALSE); }

    HWND Handle() const override { return window_.get(); }
    int32_t TabIndex() const override { return description_.tabIndex; }

    void ApplyDpi(unsigned dpi, HFONT formFont) override {
        dpi_ = dpi;
        ownFont_.reset();
        if (description_.font) ownFont_ = MakeFont(*description_.font, dpi);
        HFONT font = ownFont_ ? ownFont_.get() : formFont;
        SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        OnFont(font);
        Place();
    }

    HBRUSH OnColor(HDC dc) override {
        if (description_.foreColor) SetTextColor(dc, ToColorRef(*description_.foreColor));
        if (!background_) return nullptr;
        SetBkColor(dc, backColor_);
        return background_.get();
    }

protected:
    // background: the colour behind the control's text, when it paints one of its own.
    Win32Control(const ControlDescription& description, WindowOwner window, std::optional<Color> background)
        : description_(description),
          window_(std::move(window)),
          left_(static_cast<float>(description.left)),
          top_(static_cast<float>(description.top)),
          width_(static_cast<float>(description.width)),
          height_(static_cast<float>(description.height)),
          visible_(description.visible) {
        if (background) {
            backColor_ = ToColorRef(*background);
            background_.reset(CreateSolidBrush(backColor_));
        }
        if (!description.enabled) EnableWindow(Handle(), FALSE);
    }

    // For controls that hand the font on to a child window.
    virtual void OnFont(HFONT) {}
    // For controls whose inner windows follow the outer size.
    virtual void OnPlaced(int /*width*/, int /*height*/) {}

    const ControlDescription& Description() const { return description_; }
    unsigned Dpi() const { return dpi_; }

private:
    void Place() {
        const int width = TwipsToPixels(width_, dpi_);
        const int height = TwipsToPixels(height_, dpi_);
        SetWindowPos(Outer(), nullptr, TwipsToPixels(left_, dpi_), TwipsToPixels(top_, dpi_), width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        OnPlaced(width, height);
    }

    ControlDescription description_;
    WindowOwner window_;
    float left_, top_, width_, height_;
    bool visible_;
    unsigned dpi_ = USER_DEFAULT_SCREEN_DPI;
    FontOwner ownFont_;
    COLORREF backColor_ = 0;
    BrushOwner background_;
};

// A child window of a system class, hidden until its form places it.
WindowOwner CreateChild(const wchar_t* windowClass, DWORD style, DWORD exStyle, const ControlSite& site,
                        const std::u16string& text = {});

}  // namespace tabora::platform::win32
