#include "support/HeadlessForms.h"

#include "platform/RuntimeError.h"

namespace tabora::test {

namespace {
// Visual Basic's refusal to size a minimised window.
constexpr int32_t kCannotChangeWhileMinimized = 384;

std::unique_ptr<platform::Control> MakeControl(const platform::ControlDescription& d) {
    switch (d.kind) {
        case platform::ControlKind::TextBox: return std::make_unique<HeadlessTextBox>(d);
        case platform::ControlKind::ListBox: return std::make_unique<HeadlessListBox>(d);
        case platform::ControlKind::Label: return std::make_unique<HeadlessLabel>(d);
        case platform::ControlKind::Frame: return std::make_unique<HeadlessFrame>(d);
        case platform::ControlKind::PictureButton: return std::make_unique<HeadlessPictureButton>(d);
    }
    return nullptr;
}
}  // namespace

HeadlessForm::HeadlessForm(const platform::FormDescription& description, float frameWidth, float frameHeight)
    : description_(description),
      caption_(description.caption),
      width_(static_cast<float>(description.clientWidth) + frameWidth),
      height_(static_cast<float>(description.clientHeight) + frameHeight) {
    for (const auto& control : description_.controls) controls_[control.name] = MakeControl(control);
}

platform::Control* HeadlessForm::FindControl(const std::u16string& name) {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second.get();
}

void HeadlessForm::RefuseWhileMinimized() const {
    if (minimized_) {
        throw RuntimeError(kCannotChangeWhileMinimized, u"フォームが最小化または最大化されているときは変更できません。",
                           vb_error::kSource);
    }
}

void HeadlessForm::SetWidth(float twips) {
    RefuseWhileMinimized();
    if (twips == width_) return;
    width_ = twips;
    if (shown_) Resize.Raise();
}

void HeadlessForm::SetHeight(float twips) {
    RefuseWhileMinimized();
    if (twips == height_) return;
    height_ = twips;
    if (shown_) Resize.Raise();
}

void HeadlessForm::ResizeTo(float outerWidth, float outerHeight) {
    width_ = outerWidth;
    height_ = outerHeight;
    Resize.Raise();
}

void HeadlessForm::Load() {
    loaded_ = true;
    LoadEvent.Raise();
}

void HeadlessForm::Show() {
    if (!loaded_) Load();
    visible_ = true;
    if (!shown_) {
        shown_ = true;
        // As on the desktop: the first show sizes the window, then activates it.
        Resize.Raise();
        Activate.Raise();
    }
}

void HeadlessForm::ShowModal(platform::Form& owner) {
    owner_ = &owner;
    modal_ = true;
    const bool ownerWasEnabled = owner.Enabled();
    owner.SetEnabled(false);
    Show();
    if (modalScript) modalScript(*this);
    if (loaded_) Unload();
    owner.SetEnabled(ownerWasEnabled);
    modal_ = false;
}

void HeadlessForm::Unload() {
    if (!loaded_) return;
    UnloadEvent.Raise();
    loaded_ = false;
    visible_ = false;
}

std::unique_ptr<platform::Form> HeadlessFormFactory::Create(const platform::FormDescription& description) {
    auto form = std::make_unique<HeadlessForm>(description, frameWidth_, frameHeight_);
    if (const auto script = modalScripts_.find(description.name); script != modalScripts_.end()) {
        form->modalScript = script->second;
    }
    created_.emplace_back(description.name, form->AliveToken());
    return form;
}

HeadlessForm* HeadlessFormFactory::Last(const std::u16string& formName) const {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        if (it->first != formName) continue;
        const auto alive = it->second.lock();
        return alive ? *alive : nullptr;
    }
    return nullptr;
}

int HeadlessFormFactory::CreatedCount(const std::u16string& formName) const {
    int count = 0;
    for (const auto& [name, token] : created_) count += name == formName ? 1 : 0;
    return count;
}

}  // namespace tabora::test
