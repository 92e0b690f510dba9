// Sheets of the active workbook: activate, copy, rename, list.
#include "app/mdl_ErrorFunction.h"
#include "excel/Cls_ExcelCreate.h"
#include "platform/MessageBoxService.h"
#include "platform/ScopeExit.h"

namespace tabora {

bool Cls_ExcelCreate::ActiveSheetName(const std::u16string& strA_SheetName) {
    return Trapped([&] {
        ActiveWorkbook()->GetObject(u"Sheets")->GetObject(u"Item", {strA_SheetName})->Call(u"Activate");
    });
}

bool Cls_ExcelCreate::ActiveSheetNumber(int32_t lngA_SheetNumber) {
    return Trapped([&] {
        ActiveWorkbook()->GetObject(u"Sheets")->GetObject(u"Item", {lngA_SheetNumber})->Call(u"Activate");
    });
}

bool Cls_ExcelCreate::PFncBln_CheckSameSheet(const std::u16string& strA_NewName, const std::u16string& strA_OwnName) {
    const ObjectRef worksheets = ActiveWorkbook()->GetObject(u"Worksheets");
    for (const Variant& item : worksheets->Enumerate()) {
        if (item.AsObject()->Get(u"Name").AsString() != strA_NewName) continue;
        if (blnM_RenameForce) {
            // The sheet being copied or renamed is never deleted: its own name is left for Excel
            // to accept (a rename to itself) or refuse (a copy under it).
            if (strA_NewName != strA_OwnName) worksheets->GetObject(u"Item", {strA_NewName})->Call(u"Delete");
            return true;
        }
        return PFncBln_AskMessage(platform::mb::kYesNoQuestion, u"既に同名のシートが存在しますが変更を行いますか？", u"確認");
    }
    return true;
}

void Cls_ExcelCreate::DiscardSheet(AutomationObject& sheet) {
    const Variant alertsBefore = objM_Excel->Get(u"DisplayAlerts");
    objM_Excel->Put(u"DisplayAlerts", false);
    const ScopeExit putBack([&] { PSub_PutBack(u"DisplayAlerts", alertsBefore); });
    try {
        sheet.Call(u"Delete");
    } catch (...) {
        // The naming error is the one to report; a copy that will not go stays.
    }
}

bool Cls_ExcelCreate::SheetCopy(const std::u16string& strA_BaseName, const std::u16string& strA_NewName) {
    return Trapped([&] {
        const ObjectRef workbook = ActiveWorkbook();
        const ObjectRef worksheets = workbook->GetObject(u"Worksheets");
        // Taken first, so that a missing base fails before the same-name check deletes anything.
        const ObjectRef base = worksheets->GetObject(u"Item", {strA_BaseName});
        if (!PFncBln_CheckSameSheet(strA_NewName, base->Get(u"Name").AsString())) return;
        const int32_t count = worksheets->Get(u"Count").AsLong();
        const ObjectRef lastSheet = worksheets->GetObject(u"Item", {count});
        base->Call(u"Copy", {}, {{u"After", lastSheet}});
        // The copy is found by its place, not as the active sheet: the copy of a hidden sheet
        // stays hidden and the sheet in front stays in front, and that one is the user's.
        if (worksheets->Get(u"Count").AsLong() != count + 1) throw vb_error::Raise(vb_error::kApplicationDefined);
        const ObjectRef copy = worksheets->GetObject(u"Item", {count + 1});
        try {
            copy->Put(u"Name", strA_NewName);
        } catch (...) {
            // A copy left under its automatic name would be a stray sheet the user never asked for.
            const ErrorRecord namingError = vb_error::CurrentError();
            DiscardSheet(*copy);
            throw RuntimeError(namingError);
        }
    });
}

bool Cls_ExcelCreate::SheetRename(const std::u16string& strA_OldName, const std::u16string& strA_NewName) {
    return Trapped([&] {
        // Taken first, so that a missing sheet fails before the same-name check deletes anything.
        const ObjectRef sheet = ActiveWorkbook()->GetObject(u"Worksheets")->GetObject(u"Item", {strA_OldName});
        if (!PFncBln_CheckSameSheet(strA_NewName, sheet->Get(u"Name").AsString())) return;
        sheet->Put(u"Name", strA_NewName);
    });
}

bool Cls_ExcelCreate::SetSheetNames(platform::ListBox& LstA_Item) {
    const bool listed = Trapped([&] {
        LstA_Item.Clear();
        LstA_Item.SetVisible(false);
        const ObjectRef worksheets = ActiveWorkbook()->GetObject(u"Worksheets");
        for (const Variant& sheet : worksheets->Enumerate()) LstA_Item.AddItem(sheet.AsObject()->Get(u"Name").AsString());
    });
    LstA_Item.SetVisible(true);
    return listed;
}

}  // namespace tabora
