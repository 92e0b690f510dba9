#pragma once
// A single-selection list box on QListWidget. Click follows every assignment of ListIndex, every
// change of the selection by the user and, as on Windows, a click on the entry already selected;
// a click never clears the selection.

#include <QListWidget>
#include <memory>

#include "platform/Controls.h"
#include "platform/qt/EventFilter.h"
#include "platform/qt/FileDrops.h"
#include "platform/qt/QtControl.h"

namespace tabora::platform::qt {

class QtListBox : public QtControl<ListBox> {
public:
    QtListBox(const ControlDescription& d, QWidget* parent);

    void Clear() override;
    void AddItem(const std::u16string& item) override;
    int32_t ListCount() const override { return static_cast<int32_t>(list_->count()); }
    std::u16string List(int32_t index) const override;
    int32_t ListIndex() const override;
    std::u16string Text() const override;
    int32_t TopIndex() const override;
    void SetTopIndex(int32_t index) override;

private:
    void SelectEntry(int32_t index) override;
    QtListBox(const ControlDescription& d, QListWidget* list);

    QListWidget* list_;
    bool settingIndex_ = false;  // the program, not the user, is changing the selection
    bool selectionChangedByPress_ = false;
    QObject context_;
    EventFilter pressWatch_;
    std::unique_ptr<FileDropTarget> drops_;
};

}  // namespace tabora::platform::qt
