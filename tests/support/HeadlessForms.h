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
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }

    std::u16string Caption() const override { return caption_; }
    void SetCaption(const std::u16string& caption) override { caption_ = caption; }
    void Load() override;
    void Show() override;
    // Runs the factory's modal script for this form (the user's actions while it is up), then,
    // if the script left the form loaded, closes it as the user's close button would.
    void ShowModal(platform::Form& owner) override;
    void Unload() override;
    bool IsLoaded() const override { return loaded_; }

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
    bool IsModal() const { return modal_; }
    platform::Form* Owner() const { return owner_; }

    std::function<void(HeadlessForm&)> modalScript;
    std::weak_ptr<HeadlessForm*> AliveToken() const { return aliveToken_; }

private:
    platform::Control* FindControl(const std::u16string& name) override;
    template <class T>
    T& Named(const std::u16string& name) {
        T* control = dynamic_cast<T*>(FindControl(name));
        if (control == nullptr) throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
        return *control;
    }
    void RefuseWhileMinimized() const;

    platform::FormDescription description_;
    std::map<std::u16string, std::unique_ptr<platform::Control>> controls_;
    std::u16string caption_;
    float top_ = 0, left_ = 0, width_, height_;
    bool visible_ = false, enabled_ = true, loaded_ = false, shown_ = false, minimized_ = false, modal_ = false;
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
