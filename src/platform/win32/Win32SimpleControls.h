#pragma once
// Labels, frames and picture buttons as native controls.
//
// A frame is a container window (its controls are its children) with a group box drawn across
// it; notifications of the controls inside reach the form through it. A transparent label
// draws its text on the colour of what lies behind it.

#include "platform/win32/GdiHandles.h"
#include "platform/win32/Win32Control.h"

namespace tabora::platform::win32 {

class Win32Label : public Win32Control<Label> {
public:
    Win32Label(const ControlDescription& description, const ControlSite& site);
    std::u16string Caption() const override;
    void SetCaption(const std::u16string& caption) override;
    HBRUSH OnColor(HDC dc) override;
};

// The container a frame's controls live in, made before the frame's group box (its child).
struct FrameContainer {
    FrameContainer(const ControlDescription& description, const ControlSite& site);
    Color background;
    BrushOwner brush;
    WindowOwner container;
};

class Win32Frame : private FrameContainer, public Win32Control<Frame> {
public:
    Win32Frame(const ControlDescription& description, const ControlSite& site);
    std::u16string Caption() const override;
    void SetCaption(const std::u16string& caption) override;

    HWND Outer() const override { return container.get(); }
    HWND Container() const override { return container.get(); }
    // The colour the frame's controls stand on.
    Color Background() const { return background; }

protected:
    void OnPlaced(int width, int height) override;
};

class Win32PictureButton : public Win32Control<PictureButton> {
public:
    Win32PictureButton(const ControlDescription& description, const ControlSite& site);
    void OnCommand(WORD code) override;
    bool IsTabStop() const override { return true; }

protected:
    void OnPlaced(int width, int height) override;

private:
    IconOwner icon_;
    int iconSize_ = 0;
};

// The window class of frame containers; registered once per process.
void RegisterContainerClass();

}  // namespace tabora::platform::win32
