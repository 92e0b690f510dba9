// The sheet list window: its controls follow the window's size.
#include "app/ErrorTrap.h"
#include "windows/Frm_Test.h"

namespace tabora::windows {

namespace {
constexpr int32_t kMinHeight = 3000, kMinWidth = 2000;
// The designed outer size; a window that comes up otherwise is laid out on its first pass.
constexpr int32_t kDesignedHeight = 7335, kDesignedWidth = 3300;
}  // namespace

void Frm_Test::InitLayout() {
    typM_ResizeInfo = {kMinHeight, kMinWidth, kDesignedHeight, kDesignedWidth};
    lngM_ResizeCount = 9;
    platform::Control& txtPath = form_->ControlNamed(u"Txt_Path");
    platform::Control& txtSheetName = form_->ControlNamed(u"Txt_SheetName");
    auto item = [](platform::Control& ctl, platform::Control* sizeBase, platform::Control* topBase,
                   platform::Control* leftBase, float heightRate, float widthRate) {
        return mdl_Resize::ResizeItem{&ctl, sizeBase, topBase, leftBase, heightRate, widthRate, 0, 0, 0, 0};
    };
    typM_ResizeTable = {
        {},  // index 0 is never used
        item(*form_, nullptr, nullptr, nullptr, 0, 0),
        item(Fra_File, form_.get(), nullptr, nullptr, 0, 1),
        item(Fra_Sheet, form_.get(), nullptr, nullptr, 1, 1),
        item(txtPath, &Fra_File, nullptr, nullptr, 0, 1),
        item(form_->ControlNamed(u"Cmd_決定ファイル"), &Fra_File, &txtPath, &txtPath, 0, 0),
        item(form_->ControlNamed(u"Cmd_Get"), &Fra_File, &txtPath, &txtPath, 0, 0),
        item(txtSheetName, &Fra_Sheet, nullptr, nullptr, 0, 1),
        item(form_->ControlNamed(u"Lst_Item"), &Fra_Sheet, nullptr, nullptr, 0, 1),
        item(form_->ControlNamed(u"Cmd_Change"), &Fra_Sheet, &txtSheetName, &txtSheetName, 0, 0),
    };
}

void Frm_Test::Form_Resize() {
    if (typM_ResizeTable.empty()) return;  // unloading
    IgnoreErrorsOf([this] {
        Fra_Sheet.SetVisible(false);
        mdl_Resize::ResizeControls(*form_, typM_ResizeInfo, typM_ResizeTable, lngM_ResizeCount);
        Lst_Item.SetHeight(Fra_Sheet.Height() - static_cast<float>(lngM_ListGap));
    });
    // Shown again also after a refused size, or the lower half of the window would stay blank.
    IgnoreErrorsOf([this] { Fra_Sheet.SetVisible(true); });
}

}  // namespace tabora::windows
