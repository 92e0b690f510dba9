// Sheets of the active workbook: activate, copy, rename, list.
#include "app/mdl_ErrorFunction.h"
#include "excel/Cls_ExcelCreate.h"
#include "excel/SheetNames.h"
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

bool Cls_ExcelCreate::PFncBln_CheckSameSheet(const std::u16string& strA_NewName,
                                             const std::u16string& strA_OwnName, ObjectRef& replaced) {
    const ObjectRef worksheets = ActiveWorkbook()->GetObject(u"Worksheets");
    for (const Variant& item : worksheets->Enumerate()) {
        ObjectRef sheet = item.AsObject();
        if (sheet->Get(u"Name").AsString() != strA_NewName) continue;
        if (blnM_RenameForce) {
            // The sheet being copied or renamed is never the one replaced: its own name is left
            // for Excel to accept (a rename to itself) or refuse (a copy under it).
            if (strA_NewName != strA_OwnName) replaced = std::move(sheet);
            return true;
        }
        return PFncBln_AskMessage(platform::mb::kYesNoQuestion, u"既に同名のシートが存在しますが変更を行いますか？", u"確認");
    }
    return true;
}

void Cls_ExcelCreate::PSub_NameSheet(AutomationObject& sheet, const std::u16string& name,
                                     const ObjectRef& replaced, const std::function<void()>& undo) {
    bool parked = false;
    try {
        if (replaced) {
            // Parked under a free name rather than deleted: until the sheet has the name, a
            // failure can still give it back.
            std::vector<std::u16string> names;
            for (const Variant& other : ActiveWorkbook()->GetObject(u"Sheets")->Enumerate())
                names.push_back(other.AsObject()->Get(u"Name").AsString());
            replaced->Put(u"Name", excel::CopyName(name, names));
            parked = true;
        }
        sheet.Put(u"Name", name);
        if (replaced) {
            const ObjectRef worksheets = ActiveWorkbook()->GetObject(u"Worksheets");
            const int32_t count = worksheets->Get(u"Count").AsLong();
            replaced->Call(u"Delete");
            // Excel with alerts on asks before it deletes a sheet, and the user may keep it.
            if (worksheets->Get(u"Count").AsLong() == count)
                throw vb_error::Raise(vb_error::kApplicationDefined);
        }
    } catch (...) {
        const ErrorRecord failure = vb_error::CurrentError();
        undo();
        if (parked) {
            try {
                replaced->Put(u"Name", name);
            } catch (...) {
                // Only a server that has gone refuses a name its sheet had a moment ago.
            }
        }
        throw RuntimeError(failure);
    }
}

void Cls_ExcelCreate::DiscardSheet(AutomationObject& sheet) noexcept {
    try {
        const Variant alertsBefore = objM_Excel->Get(u"DisplayAlerts");
        objM_Excel->Put(u"DisplayAlerts", false);
        const ScopeExit putBack([&] { PSub_PutBack(u"DisplayAlerts", alertsBefore); });
        sheet.Call(u"Delete");
    } catch (...) {
        // The failure that made the copy go is the one to report; a copy that will not go stays.
    }
}

bool Cls_ExcelCreate::SheetCopy(const std::u16string& strA_BaseName, const std::u16string& strA_NewName) {
    return Trapped([&] {
        const ObjectRef workbook = ActiveWorkbook();
        const ObjectRef worksheets = workbook->GetObject(u"Worksheets");
        // Taken first, so that a missing base fails before anything else is done.
        const ObjectRef base = worksheets->GetObject(u"Item", {strA_BaseName});
        ObjectRef replaced;
        if (!PFncBln_CheckSameSheet(strA_NewName, base->Get(u"Name").AsString(), replaced)) return;
        const int32_t count = worksheets->Get(u"Count").AsLong();
        const ObjectRef lastSheet = worksheets->GetObject(u"Item", {count});
        base->Call(u"Copy", {}, {{u"After", lastSheet}});
        // The copy is found by its place, not as the active sheet: the copy of a hidden sheet
        // stays hidden and the sheet in front stays in front, and that one is the user's.
        if (worksheets->Get(u"Count").AsLong() != count + 1) throw vb_error::Raise(vb_error::kApplicationDefined);
        const ObjectRef copy = worksheets->GetObject(u"Item", {count + 1});
        // A copy left under its automatic name would be a stray sheet the user never asked for.
        PSub_NameSheet(*copy, strA_NewName, replaced, [&] { DiscardSheet(*copy); });
    });
}

bool Cls_ExcelCreate::SheetRename(const std::u16string& strA_OldName, const std::u16string& strA_NewName) {
    return Trapped([&] {
        // Taken first, so that a missing sheet fails before anything else is done.
        const ObjectRef sheet = ActiveWorkbook()->GetObject(u"Worksheets")->GetObject(u"Item", {strA_OldName});
        const std::u16string ownName = sheet->Get(u"Name").AsString();
        ObjectRef replaced;
        if (!PFncBln_CheckSameSheet(strA_NewName, ownName, replaced)) return;
        PSub_NameSheet(*sheet, strA_NewName, replaced, [&] {
            try {
                sheet->Put(u"Name", ownName);
            } catch (...) {
                // It kept its name: the rename is what failed.
            }
        });
    });
}

bool Cls_ExcelCreate::SetSheetNames(platform::ListBox& LstA_Item) {
    const bool listed = Trapped([&] {
        LstA_Item.Clear();
        LstA_Item.SetVisible(false);
        ForEachWorksheetName(*ActiveWorkbook(), [&](std::u16string name) { LstA_Item.AddItem(name); });
    });
    LstA_Item.SetVisible(true);
    return listed;
}

bool Cls_ExcelCreate::GetSheetNames(std::u16string& strA_BookName, std::vector<std::u16string>& strA_SheetNames) {
    try {
        const ObjectRef workbook = ActiveWorkbook();
        std::u16string bookName = workbook->Get(u"Name").AsString();
        std::vector<std::u16string> sheetNames;
        ForEachWorksheetName(*workbook, [&](std::u16string name) { sheetNames.push_back(std::move(name)); });
        strA_BookName = std::move(bookName);
        strA_SheetNames = std::move(sheetNames);
        return true;
    } catch (...) {
        return false;
    }
}

void Cls_ExcelCreate::ForEachWorksheetName(AutomationObject& workbook, const std::function<void(std::u16string)>& visit) {
    for (const Variant& sheet : workbook.GetObject(u"Worksheets")->Enumerate()) visit(sheet.AsObject()->Get(u"Name").AsString());
}

std::unique_ptr<SheetWatch> Cls_ExcelCreate::WatchSheets(std::function<void()> changed) {
    try {
        return server_.WatchSheets(objM_Excel, std::move(changed));
    } catch (...) {
        return nullptr;  // the list is then brought up to date when the window is activated
    }
}

}  // namespace tabora
