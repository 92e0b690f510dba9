#pragma once
// A rendered form with its controls, and the factory that renders descriptions.

#include <functional>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/FormDescription.h"
#include "platform/RuntimeError.h"

namespace tabora::platform {

// The lifecycle every platform shares is written here once: Load runs once, the first Show
// follows a Load and raises Resize then Activate, a load step that unloads the form ends the
// load, a modal form locks its owner and gives it back its own enabled state, a form with a
// modal form open over it cannot be unloaded (it would pull the dialog's data from under it),
// and an unload asked for while one of the form's handlers runs waits until it returns.
// A platform supplies only the window primitives below.
class Form : public Control {
public:
    virtual std::u16string Caption() const = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;

    // Raises Load, once; the window connects its handlers first and then loads the form.
    void Load();
    // Shows the form without an owner, loading it first; the first show raises Resize, then
    // Activate.
    void Show();
    // Shows the form modal over owner and returns when it has been unloaded. The owner is
    // locked meanwhile and afterwards keeps the enabled state it was last given.
    void ShowModal(Form& owner);
    // Raises Unload, then closes the window. A user's close does the same. Refused (nothing
    // happens) while a modal form shown over this one is open. Asked for while one of the form's
    // handlers runs, it is carried out when the outermost of them returns.
    void Unload();
    bool IsLoaded() const { return loaded_; }
    bool HasModalChild() const { return modalChildren_ > 0; }

    // False also while a modal form shown over this one is open; a change made meanwhile is
    // kept and applied when the modal form closes.
    bool Enabled() const final { return enabled_ && modalChildren_ == 0; }
    void SetEnabled(bool enabled) final;

    // The form's controls by name; a name the form lacks, or of another kind, raises error 9.
    TextBox& TextBoxNamed(const std::u16string& name) { return Named<TextBox>(name); }
    ListBox& ListBoxNamed(const std::u16string& name) { return Named<ListBox>(name); }
    Label& LabelNamed(const std::u16string& name) { return Named<Label>(name); }
    Frame& FrameNamed(const std::u16string& name) { return Named<Frame>(name); }
    PictureButton& PictureButtonNamed(const std::u16string& name) { return Named<PictureButton>(name); }
    // Any control by name, for the layout module; the form itself under its own name.
    Control& ControlNamed(const std::u16string& name) {
        if (name == Name()) return *this;
        return Named<Control>(name);
    }

    Event<> LoadEvent;
    Event<> Activate;
    // Each time the window becomes the active one while shown, also when the user comes back
    // from another application; Activate follows only a change between the program's forms.
    Event<> WindowActivated;
    Event<> Resize;
    Event<> UnloadEvent;

    // Connects one of the form's handlers, to an event of the form or of one of its controls.
    // A close can arrive while a handler runs: in a yield, in a message box's loop, or while a
    // call into the server waits. It waits for the handler, so that no handler finds the window's
    // state (its wrapper, its tables, its owner's lock) released under it.
    template <class... Args, class Handler>
    [[nodiscard]] Connection ConnectHandler(Event<Args...>& event, Handler handler) {
        return event.Connect(
            [this, handler = std::move(handler)](Args... args) { RunHandler([&] { handler(args...); }); });
    }

protected:
    // The control of that name, or nullptr: all a platform provides for the look-ups above.
    virtual Control* FindControl(const std::u16string& name) = 0;

    // The window primitives. ShowWindow makes the window visible and active (firstTime: it has
    // not been shown since it was loaded); HideWindow hides it; EnableWindow lets it take input
    // or not: not when it is disabled, nor while a modal child is open (a platform whose modal
    // windows lock their owners by themselves may leave that to them). PrepareModal links the window to its owner before the first show; RunModalLoop
    // returns once the form is unloaded, which calls EndModalLoop; ModalEnded gives the owner
    // the activation back.
    virtual void ShowWindow(bool firstTime) = 0;
    virtual void HideWindow() = 0;
    virtual void EnableWindow(bool enabled, bool modalChildOpen) = 0;
    virtual void PrepareModal(Form& owner) = 0;
    virtual void RunModalLoop() = 0;
    virtual void EndModalLoop() = 0;
    virtual void ModalEnded(Form& owner) = 0;

    bool Shown() const { return shown_; }
    Form* ModalOwner() const { return modalOwner_; }
    // Error 384, as Visual Basic refuses to size a minimised window.
    static void RefuseWhileMinimized(bool minimized);

private:
    struct Handlers {
        int running = 0;
        bool unloadAsked = false;
    };

    void ApplyEnabled() { EnableWindow(enabled_, modalChildren_ > 0); }
    void ReleaseModalOwner();
    void RunHandler(const std::function<void()>& handler);
    void HandlerReturned();

    bool loaded_ = false;
    bool shown_ = false;
    bool unloading_ = false;
    bool enabled_ = true;
    int modalChildren_ = 0;
    Form* modalOwner_ = nullptr;  // while shown modal
    // Shared with the handlers that run, which may outlive the form.
    std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();

    template <class T>
    T& Named(const std::u16string& name) {
        T* control = dynamic_cast<T*>(FindControl(name));
        if (control == nullptr) throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
        return *control;
    }
};

class FormFactory {
public:
    virtual ~FormFactory() = default;
    virtual std::unique_ptr<Form> Create(const FormDescription& description) = 0;
};

}  // namespace tabora::platform
