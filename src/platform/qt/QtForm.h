#pragma once
// A form rendered with Qt Widgets from its description.
//
// Height and Width are the outer size in twips: the client area plus the frame the forms were
// designed around (a sizable window's or a tool window's at 96 DPI). X11 window managers draw
// frames of their own and report them late or never, so the layout module works against this
// fixed frame, and the controls fill the client area as designed whatever the desktop draws.
// Top and Left are the position of the window's frame on the screen.

#include <QEventLoop>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <map>
#include <memory>

#include "platform/Forms.h"

namespace tabora::platform::qt {

class QtForm : public Form {
public:
    explicit QtForm(const FormDescription& description);
    ~QtForm() override;
    QtForm(const QtForm&) = delete;
    QtForm& operator=(const QtForm&) = delete;

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

    // For the executable and tests: the window, and the widget of a control (nullptr if none).
    QWidget* Window() const;
    QWidget* WidgetNamed(const std::u16string& name) const;
    const FormDescription& Description() const { return description_; }
    // The frame, in pixels, that Height and Width add to the client area.
    QSize FramePixels() const;

private:
    class FormWindow;
    friend class FormWindow;

    Control* FindControl(const std::u16string& name) override;
    void ShowWindow(bool firstTime) override;
    void HideWindow() override;
    void EnableWindow(bool enabled, bool modalChildOpen) override;
    void PrepareModal(Form& owner) override;
    void RunModalLoop() override;
    void EndModalLoop() override;
    void ModalEnded(Form& owner) override;
    void CreateControls();
    void SetTabOrder();
    void FocusFirstControl();
    void PlaceAtFirstShow();
    void ResizeClient(QSize client);
    void MoveFrameTo(QPoint position);
    // From the window.
    void OnResizedByPlatform(QSize client);
    void OnActivated();
    void OnCloseRequested();

    FormDescription description_;
    std::unique_ptr<FormWindow> window_;
    std::map<std::u16string, std::unique_ptr<Control>> controls_;
    QSize reportedClient_;  // the client size the last Resize was raised for
    QPointer<QEventLoop> modalLoop_;
};

class QtFormFactory : public FormFactory {
public:
    std::unique_ptr<Form> Create(const FormDescription& description) override;
};

}  // namespace tabora::platform::qt
