#pragma once
// Headless forms rendered from their descriptions, and the factory that makes them.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "support/HeadlessControls.h"

namespace tabora::test {

class HeadlessForm : public platform::Form {
public:
    // frameWidth/frameHeight: what the border and title bar add to the client area, in twips.
    HeadlessForm(const platform::FormDescription& description, float frameWidth, float frameHeight);

    std::u16string Name() const override { return description_.name; }
    float Top() const override { return top_; }
    void SetTop(float twips) override { top_ = twips; }
    float Left() const override { return left_; }
    void SetLeft(float twips) override { left_ = twips; }
    float Width() const override { return width_; }
    void SetWidth(float twips) override;
    float Height() const override { return height_; }
    void SetHeight(float twips) override;
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }

    std::u16string Caption() const override { return caption_; }
    void SetCaption(const std::u16string& caption) override { caption_ = caption; }

    // For tests: the headless controls themselves.
    HeadlessTextBox& TextBox(const std::u16string& name) { return Named<HeadlessTextBox>(name); }
    HeadlessListBox& List(const std::u16string& name) { return Named<HeadlessListBox>(name); }
    HeadlessPictureButton& Button(const std::u16string& name) { return Named<HeadlessPictureButton>(name); }
    const platform::FormDescription& Description() const { return description_; }

    // The user drags the window's border: both sizes change, then one Resize.
    void ResizeTo(float outerWidth, float outerHeight);
    // While minimised the window refuses new sizes, as the real ones do.
    void SetMinimized(bool minimized) { minimized_ = minimized; }
    void Activate_() { Activate.Raise(); }
    // The user comes back to the window from another application.
    void ActivateFromAnotherApplication() {
        if (Shown()) WindowActivated.Raise();
    }
    bool IsModal() const { return ModalOwner() != nullptr; }
    platform::Form* Owner() const { return owner_; }
    // Whether the window itself takes input (the lock of a modal form included).
    bool WindowEnabled() const { return windowEnabled_; }

    // What the user does while this form is shown modal; when it leaves the form loaded, the
    // user closes it with the close button.
    std::function<void(HeadlessForm&)> modalScript;
    std::weak_ptr<HeadlessForm*> AliveToken() const { return aliveToken_; }

private:
    platform::Control* FindControl(const std::u16string& name) override;
    void ShowWindow(bool) override { visible_ = true; }
    void HideWindow() override { visible_ = false; }
    void EnableWindow(bool enabled, bool modalChildOpen) override { windowEnabled_ = enabled && !modalChildOpen; }
    void PrepareModal(platform::Form& owner) override { owner_ = &owner; }
    void RunModalLoop() override;
    void EndModalLoop() override {}
    void ModalEnded(platform::Form&) override {}
    template <class T>
    T& Named(const std::u16string& name) {
        T* control = dynamic_cast<T*>(FindControl(name));
        if (control == nullptr) throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
        return *control;
    }

    platform::FormDescription description_;
    std::map<std::u16string, std::unique_ptr<platform::Control>> controls_;
    std::u16string caption_;
    float top_ = 0, left_ = 0, width_, height_;
    bool visible_ = false, windowEnabled_ = true, minimized_ = false;
    platform::Form* owner_ = nullptr;
    std::shared_ptr<HeadlessForm*> aliveToken_ = std::make_shared<HeadlessForm*>(this);
};

class HeadlessFormFactory : public platform::FormFactory {
public:
    std::unique_ptr<platform::Form> Create(const platform::FormDescription& description) override;

    // What the user does while the named form is shown modal.
    void OnModal(const std::u16string& formName, std::function<void(HeadlessForm&)> script) {
        modalScripts_[formName] = std::move(script);
    }
    // The frame a new form gets around its client area (default: a sizable window's).
    void SetFrameSize(float width, float height) {
        frameWidth_ = width;
        frameHeight_ = height;
    }
    // Every form created so far, oldest first; entries turn null when their form is destroyed.
    HeadlessForm* Last(const std::u16string& formName) const;
    int CreatedCount(const std::u16string& formName) const;

private:
    std::map<std::u16string, std::function<void(HeadlessForm&)>> modalScripts_;
    std::vector<std::pair<std::u16string, std::weak_ptr<HeadlessForm*>>> created_;
    float frameWidth_ = 135, frameHeight_ = 405;
};

}  // namespace tabora::test
