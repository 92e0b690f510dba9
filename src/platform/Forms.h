#pragma once
// A rendered form with its controls, and the factory that renders descriptions.

#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/FormDescription.h"
#include "platform/RuntimeError.h"

namespace tabora::platform {

class Form : public Control {
public:
    virtual std::u16string Caption() const = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;

    // Raises Load; the window connects its handlers first and then loads the form.
    virtual void Load() = 0;
    // Shows the form without an owner; the first show raises Activate and Resize.
    virtual void Show() = 0;
    // Shows the form modal over owner and returns when it has been unloaded.
    virtual void ShowModal(Form& owner) = 0;
    // Raises Unload, then closes the window. A user's close does the same.
    virtual void Unload() = 0;
    virtual bool IsLoaded() const = 0;

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
    Event<> Resize;
    Event<> UnloadEvent;

protected:
    // The control of that name, or nullptr: all a platform provides for the look-ups above.
    virtual Control* FindControl(const std::u16string& name) = 0;

private:
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
