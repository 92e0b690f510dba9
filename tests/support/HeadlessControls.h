#pragma once
// Headless controls: the control interfaces with no window behind them. Their events fire
// exactly as the real platforms' do (see platform/Controls.h), and each has the user's own
// gestures (typing, clicking, dropping) for tests to drive.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/FormDescription.h"
#include "support/HeadlessControl.h"
#include "support/HeadlessTextBox.h"

namespace tabora::test {

class HeadlessListBox : public HeadlessControl<platform::ListBox> {
public:
    using HeadlessControl::HeadlessControl;

    void Clear() override;
    void AddItem(const std::u16string& item) override { items_.push_back(item); }
    int32_t ListCount() const override { return static_cast<int32_t>(items_.size()); }
    std::u16string List(int32_t index) const override;
    int32_t ListIndex() const override { return index_; }
    std::u16string Text() const override { return index_ < 0 ? std::u16string() : items_[index_]; }
    int32_t TopIndex() const override { return topIndex_; }
    // No rows are drawn: any entry can stand at the top.
    void SetTopIndex(int32_t index) override;

    const std::vector<std::u16string>& Items() const { return items_; }
    int TimesHidden() const { return timesHidden_; }
    int TimesCleared() const { return timesCleared_; }
    void SetVisible(bool visible) override;

    // The user's gestures.
    void ClickItem(int32_t index) { SetListIndex(index); }
    void DoubleClickItem(int32_t index) {
        SetListIndex(index);
        DblClick.Raise();
    }
    void Drop(const platform::DroppedFiles& files) { FilesDropped.Raise(files); }

private:
    void SelectEntry(int32_t index) override { index_ = index; }

    std::vector<std::u16string> items_;
    int32_t index_ = -1;
    int32_t topIndex_ = 0;
    int timesHidden_ = 0;
    int timesCleared_ = 0;
};

class HeadlessLabel : public HeadlessControl<platform::Label> {
public:
    explicit HeadlessLabel(const platform::ControlDescription& d) : HeadlessControl(d), caption_(d.caption) {}
    std::u16string Caption() const override { return caption_; }
    void SetCaption(const std::u16string& caption) override { caption_ = caption; }

private:
    std::u16string caption_;
};

class HeadlessFrame : public HeadlessControl<platform::Frame> {
public:
    explicit HeadlessFrame(const platform::ControlDescription& d) : HeadlessControl(d), caption_(d.caption) {}
    std::u16string Caption() const override { return caption_; }
    void SetCaption(const std::u16string& caption) override { caption_ = caption; }

private:
    std::u16string caption_;
};

class HeadlessPictureButton : public HeadlessControl<platform::PictureButton> {
public:
    using HeadlessControl::HeadlessControl;
    // A disabled button takes no click, as on screen.
    void Press() {
        if (Enabled()) Click.Raise();
    }
};

}  // namespace tabora::test
