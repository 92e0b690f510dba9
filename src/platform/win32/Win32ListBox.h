#pragma once
// A list box as a native LISTBOX. Click follows a selection by the user and every assignment
// of ListIndex (also of the entry already selected); DblClick a double click on an entry.

#include <memory>

#include "platform/win32/Subclass.h"
#include "platform/win32/Win32Control.h"

namespace tabora::platform::win32 {

class Win32ListBox : public Win32Control<ListBox> {
public:
    Win32ListBox(const ControlDescription& description, const ControlSite& site);

    void Clear() override;
    void AddItem(const std::u16string& item) override;
    int32_t ListCount() const override;
    std::u16string List(int32_t index) const override;
    int32_t ListIndex() const override;
    std::u16string Text() const override { return List(ListIndex()); }
    int32_t TopIndex() const override;
    void SetTopIndex(int32_t index) override;

    void OnCommand(WORD code) override;
    bool IsTabStop() const override { return true; }

private:
    void SelectEntry(int32_t index) override;
    std::unique_ptr<Subclass> subclass_;
};

}  // namespace tabora::platform::win32
