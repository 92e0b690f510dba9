#include "controls/HeadlessControlSet.h"

namespace tabora::test {

namespace {
template <class T, class Interface>
T& Headless(Interface& control) {
    return dynamic_cast<T&>(control);
}
}  // namespace

void HeadlessControlSet::Type(platform::TextBox& box, const std::u16string& text) {
    Headless<HeadlessTextBox>(box).Paste(text);
}

void HeadlessControlSet::PressKey(platform::TextBox& box, int16_t keyCode, int16_t shift) {
    // The box's own handling follows unless the handlers swallowed the key.
    auto& headless = Headless<HeadlessTextBox>(box);
    constexpr int16_t kBackspace = 8;
    if (headless.PressKey(keyCode, shift) == kBackspace) headless.Backspace();
}

void HeadlessControlSet::DoubleClick(platform::TextBox& box) { Headless<HeadlessTextBox>(box).DoubleClick(); }

bool HeadlessControlSet::Leave(platform::TextBox& box) { return Headless<HeadlessTextBox>(box).Leave(); }

void HeadlessControlSet::ClickItem(platform::ListBox& list, int32_t index) {
    Headless<HeadlessListBox>(list).ClickItem(index);
}

void HeadlessControlSet::DoubleClickItem(platform::ListBox& list, int32_t index) {
    Headless<HeadlessListBox>(list).DoubleClickItem(index);
}

void HeadlessControlSet::Press(platform::PictureButton& button) {
    Headless<HeadlessPictureButton>(button).Press();
}

void HeadlessControlSet::DropFiles(platform::Control& target, const std::vector<std::u16string>& paths) {
    if (auto* box = dynamic_cast<HeadlessTextBox*>(&target)) box->Drop(paths);
    if (auto* list = dynamic_cast<HeadlessListBox*>(&target)) list->Drop(paths);
}

void HeadlessControlSet::DropText(platform::Control& target, const std::u16string&) { DropFiles(target, {}); }

void HeadlessControlSet::ResizeByUser(platform::Form& form, float outerWidth, float outerHeight) {
    Headless<HeadlessForm>(form).ResizeTo(outerWidth, outerHeight);
}

void HeadlessControlSet::SetMinimizedByUser(platform::Form& form, bool minimized) {
    Headless<HeadlessForm>(form).SetMinimized(minimized);
}

void HeadlessControlSet::WhileModal(platform::Form& form, std::function<void()> script) {
    Headless<HeadlessForm>(form).modalScript = [script = std::move(script)](HeadlessForm&) { script(); };
}

}  // namespace tabora::test
