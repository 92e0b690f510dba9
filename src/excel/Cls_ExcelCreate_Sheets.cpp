// Sheets of the active workbook: activate, copy, rename, list.
#include "app/mdl_ErrorFunction.h"
#include "excel/Cls_ExcelCreate.h"
#include "platform/MessageBoxService.h"

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

bool Cls_ExcelCreate::PFncBln_CheckSameSheet(const std::u16string& strA_NewName) {
    const ObjectRef worksheets = ActiveWorkbook()->GetObject(u"Worksheets");
    for (const Variant& item : worksheets->Enumerate()) {
        if (item.AsObject()->Get(u"Name").AsString() != strA_NewName) continue;
        if (blnM_RenameForce) {
            worksheets->GetObject(u"Item", {strA_NewName})->Call(u"Delete");
            return true;
        }
        return PFncBln_AskMessage(platform::mb::kYesNoQuestion, u"既に同名のシートが存在しますが変更を行いますか？", u"確認");
    }
    return true;
}

void Cls_ExcelCreate::DiscardSheet(AutomationObject& sheet) {
    const Variant alertsBefore = objM_Excel->Get(u"DisplayAlerts");
    objM_Excel->Put(u"DisplayAlerts", false);
    try {
        sheet.Call(u"Delete");
    } catch (...) {
        // The naming error is the one to report; a copy that will not go stays.
    }
    objM_Excel->Put(u"DisplayAlerts", alertsBefore);
}

bool Cls_ExcelCreate::SheetCopy(const std::u16string& strA_BaseName, const std::u16string& strA_NewName) {
    return Trapped([&] {
        if (!PFncBln_CheckSameSheet(strA_NewName)) return;
        const ObjectRef workbook = ActiveWorkbook();
        const ObjectRef worksheets = workbook->GetObject(u"Worksheets");
        const int32_t count = worksheets->Get(u"Count").AsLong();
        const ObjectRef lastSheet = worksheets->GetObject(u"Item", {count});
        worksheets->GetObject(u"Item", {strA_BaseName})->Call(u"Copy", {}, {{u"After", lastSheet}});
        const ObjectRef copy = workbook->GetObject(u"ActiveSheet");
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
        if (!PFncBln_CheckSameSheet(strA_NewName)) return;
        ActiveWorkbook()->GetObject(u"Worksheets")->GetObject(u"Item", {strA_OldName})->Put(u"Name", strA_NewName);
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
