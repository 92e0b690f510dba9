// The sheet list window: opening the duplication window for the named sheet.
#include "app/ErrorTrap.h"
#include "windows/Frm_More.h"
#include "windows/Frm_Test.h"

namespace tabora::windows {

void Frm_Test::Cmd_Open_Click() { OpenMoreWindow(); }

bool Frm_Test::OpenMoreWindow() {
    const std::u16string sheetName = Txt_SheetName.Text();
    if (sheetName.empty()) return false;
    bool refilled = false;
    ShowErrorsOf([&] {
        // Released when this step ends, also on failure, so the next use starts afresh.
        Frm_More more(services_.forms);
        more.Txt_SheetName.SetText(sheetName);
        more.Cmd_Copy.SetEnabled(true);
        more.clsM_Excel = clsM_ExcelBook;
        more.Form().ShowModal(*form_);
        const std::shared_ptr<Cls_ExcelCreate> book = clsM_ExcelBook;
        if (!book) throw vb_error::Raise(vb_error::kObjectNotSet);
        refilled = book->SetSheetNames(Lst_Item);
        if (refilled && book != listedBook_.lock()) FollowSheetsOf(book);
    });
    return refilled;
}

}  // namespace tabora::windows
