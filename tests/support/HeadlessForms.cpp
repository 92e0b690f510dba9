#include "support/HeadlessForms.h"

#include "platform/RuntimeError.h"

namespace tabora::test {

namespace {
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

void HeadlessForm::SetWidth(float twips) {
    RefuseWhileMinimized(minimized_);
    if (twips == width_) return;
    width_ = twips;
    if (Shown()) Resize.Raise();
}

void HeadlessForm::SetHeight(float twips) {
    RefuseWhileMinimized(minimized_);
    if (twips == height_) return;
    height_ = twips;
    if (Shown()) Resize.Raise();
}

void HeadlessForm::ResizeTo(float outerWidth, float outerHeight) {
    width_ = outerWidth;
    height_ = outerHeight;
    Resize.Raise();
}

void HeadlessForm::RunModalLoop() {
    if (modalScript) modalScript(*this);
    if (IsLoaded()) Unload();
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
