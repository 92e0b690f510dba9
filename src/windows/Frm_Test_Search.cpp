// The sheet list window: finding a sheet by the beginning of its name, and switching to it.
#include "app/ErrorTrap.h"
#include "platform/MessageBoxService.h"
#include "platform/Runtime.h"
#include "platform/ScopeExit.h"
#include "windows/Frm_Test.h"

namespace tabora::windows {

namespace {
constexpr int16_t kEnterKey = 13;
constexpr char16_t kSheetNotFound[] = u"ｼｰﾄ名が見つかりません。";
}  // namespace

void Frm_Test::Lst_Item_Click() {
    IgnoreErrorsOf([this] { Txt_SheetName.SetText(Lst_Item.Text()); });
}

void Frm_Test::Lst_Item_DblClick() { ChangeSheet(); }

void Frm_Test::Cmd_Change_Click() { ChangeSheet(); }

void Frm_Test::Txt_SheetName_KeyDown(int16_t& KeyCode, int16_t /*Shift: Enter counts with any*/) {
    if (KeyCode == kEnterKey) {
        SearchSheetName();
        Txt_SheetName.SetSelStart(static_cast<int32_t>(Txt_SheetName.Text().size()));
        if (lngM_LastKeyCode == kEnterKey) {
            Txt_SheetName.SetText(Lst_Item.Text());
            Cmd_Change_Click();
            KeyCode = 0;
        }
    }
    lngM_LastKeyCode = KeyCode;
}

void Frm_Test::SearchSheetName() {
    ShowErrorsOf([this] {
        const std::u16string text = Txt_SheetName.Text();
        if (!text.empty()) SelectListItem(text);
    });
}

bool Frm_Test::SelectListItem(const std::u16string& strA_Text) {
    if (blnM_Searching) return false;
    bool found = false;
    ShowErrorsOf([&] {
        const size_t length = strA_Text.size();
        const int32_t count = Lst_Item.ListCount();
        for (int32_t i = 0; i < count; ++i) {
            if (Lst_Item.List(i).substr(0, length) != strA_Text) continue;
            // Cleared also when selecting fails, or every later search would stop at the guard.
            blnM_Searching = true;
            const ScopeExit searching([this] { blnM_Searching = false; });
            Lst_Item.SetListIndex(i);
            platform::DoEvents();
            found = true;
            return;
        }
    });
    return found;
}

bool Frm_Test::ChangeSheet() {
    try {
        platform::DoEvents();
        const std::u16string name = Txt_SheetName.Text();
        const std::shared_ptr<Cls_ExcelCreate> book = clsM_ExcelBook;
        if (!book) throw vb_error::Raise(vb_error::kObjectNotSet);
        book->ActiveSheetName(name);
        return true;
    } catch (...) {
        mdl_ErrorFunction::ShowMessage(platform::mb::kOkOnly + platform::mb::kExclamation, kSheetNotFound, u"Error");
        return false;
    }
}

}  // namespace tabora::windows
