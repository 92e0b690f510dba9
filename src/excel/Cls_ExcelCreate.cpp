// The instance, its flags and its workbook.
#include "excel/Cls_ExcelCreate.h"

#include "app/mdl_ErrorFunction.h"
#include "excel/Conversions.h"
#include "platform/Runtime.h"
#include "platform/ScopeExit.h"

namespace tabora {

namespace {
constexpr int32_t kXlNoChange = 1;  // SaveAs AccessMode: leave the access mode as it is
}  // namespace

Cls_ExcelCreate::Cls_ExcelCreate(AutomationServer& server) : server_(server), objM_Excel(server.CreateApplication()) {
    if (!objM_Excel) throw vb_error::Raise(vb_error::kObjectNotSet);
    objM_Excel->Put(u"DisplayAlerts", false);
    objM_Excel->Put(u"Visible", false);
}

bool Cls_ExcelCreate::Trapped(const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (...) {
        ErrorRecord currentError = vb_error::CurrentError();
        PSub_ErrorReport(currentError);
        return false;
    }
}

void Cls_ExcelCreate::PSub_ErrorReport(ErrorRecord& currentError) {
    if (blnM_MsgDisplayFlg) mdl_ErrorFunction::ShowVbError(currentError);
    currentError.Clear();
}

bool Cls_ExcelCreate::PFncBln_AskMessage(int32_t style, const std::u16string& message, const std::u16string& title) {
    if (!blnM_MsgDisplayFlg) return false;
    const int16_t answer = mdl_ErrorFunction::ShowMessage(style, message, title);
    return answer == platform::button::kOk || answer == platform::button::kYes;
}

bool Cls_ExcelCreate::PFncBln_FileExists(const std::u16string& path, int32_t /*attributes: ignored: only an ordinary file counts*/) {
    return !path.empty() && platform::Files().IsOrdinaryFile(path);
}

bool Cls_ExcelCreate::PFncBln_CheckOverWrite(const std::u16string& path) {
    if (!PFncBln_FileExists(path, 0) || blnM_OverWrite) return true;
    return PFncBln_AskMessage(platform::mb::kYesNoQuestion, u"すでにファイルが作成されています。上書きしますか。", u"確認");
}

bool Cls_ExcelCreate::PFncBln_IsShown(AutomationObject& sheet) {
    constexpr int32_t kXlSheetVisible = -1;
    return sheet.Get(u"Visible").AsLong() == kXlSheetVisible;
}

void Cls_ExcelCreate::PSub_PutBack(const std::u16string& property, const Variant& value) noexcept {
    try {
        objM_Excel->Put(property, value);
    } catch (...) {
        // Only a server that has gone refuses its own value back, and its setting went with it.
    }
}

ObjectRef Cls_ExcelCreate::ActiveWorkbook() { return objM_Excel->GetObject(u"ActiveWorkbook"); }

ObjectRef Cls_ExcelCreate::GetActiveSheet() {
    if (lngM_FileStatus != 0) return nullptr;
    ObjectRef sheet = objM_Excel->GetObject(u"ActiveSheet");
    const std::u16string type = sheet->TypeName();
    if (!type.empty() && type != u"Worksheet") throw vb_error::Raise(vb_error::kTypeMismatch);
    return sheet;
}

void Cls_ExcelCreate::SetCreateNew(std::u16string vData) { blnM_CreateNew = conversions::TextToBoolean(vData); }
std::u16string Cls_ExcelCreate::GetCreateNew() const { return conversions::BooleanToText(blnM_CreateNew); }
void Cls_ExcelCreate::SetOverWrite(std::u16string vData) { blnM_OverWrite = conversions::TextToBoolean(vData); }
std::u16string Cls_ExcelCreate::GetOverWrite() const { return conversions::BooleanToText(blnM_OverWrite); }
void Cls_ExcelCreate::SetRenameForce(std::u16string vData) {
    blnM_RenameForce = conversions::TextToBoolean(vData);
}
std::u16string Cls_ExcelCreate::GetRenameForce() const { return conversions::BooleanToText(blnM_RenameForce); }

bool Cls_ExcelCreate::FileOpen(const std::u16string& strA_FullPath, const std::u16string& strA_ActiveSheetName) {
    bool opened = false;
    const bool trappedNothing = Trapped([&] {
        const std::u16string fullPath = platform::Files().AbsolutePath(strA_FullPath);
        if (PFncBln_FileExists(fullPath, 0)) {
            objM_Excel->GetObject(u"Workbooks")->Call(u"Open", {fullPath});
        } else if (!blnM_CreateNew || !FileCreate()) {
            return;  // nothing to open: no message, the state stays as it was
        }
        const ObjectRef sheets = ActiveWorkbook()->GetObject(u"Sheets");
        const Variant index = strA_ActiveSheetName.empty() ? Variant(int16_t{1}) : Variant(strA_ActiveSheetName);
        const ObjectRef sheet = sheets->GetObject(u"Item", {index});
        // A hidden first sheet cannot come to the front (Excel refuses): the workbook's own sheet
        // in front stays there. A sheet asked for by name is activated, or the open fails.
        if (!strA_ActiveSheetName.empty() || PFncBln_IsShown(*sheet)) sheet->Call(u"Activate");
        lngM_FileStatus = 0;
        opened = true;
    });
    return trappedNothing && opened;
}

bool Cls_ExcelCreate::FileCreate() {
    return Trapped([&] {
        // The user's own option: put back however Add ends.
        const Variant remembered(objM_Excel->Get(u"SheetsInNewWorkbook").AsLong());
        objM_Excel->Put(u"SheetsInNewWorkbook", int32_t{1});
        const ScopeExit putBack([&] { PSub_PutBack(u"SheetsInNewWorkbook", remembered); });
        objM_Excel->GetObject(u"Workbooks")->Call(u"Add");
    });
}

bool Cls_ExcelCreate::FileSave(const std::u16string& strA_Path) {
    return Trapped([&] {
        const std::u16string path = platform::Files().AbsolutePath(strA_Path);
        if (!PFncBln_CheckOverWrite(path)) return;
        const ObjectRef workbook = ActiveWorkbook();
        const ObjectRef firstSheet = workbook->GetObject(u"Sheets")->GetObject(u"Item", {int16_t{1}});
        // Cells can be selected only on the sheet in front, and a chart sheet has none: without
        // this the save would fail whenever another sheet was in front.
        // A hidden first sheet cannot come to the front: the workbook is then saved as it stands.
        if (PFncBln_IsShown(*firstSheet)) {
            firstSheet->Call(u"Activate");
            if (firstSheet->TypeName() != u"Chart") firstSheet->GetObject(u"Cells", {int16_t{1}, int16_t{1}})->Call(u"Select");
        }
        workbook->Call(u"SaveAs", {path}, {{u"AccessMode", kXlNoChange}});
    });
}

bool Cls_ExcelCreate::Show() {
    return Trapped([&] {
        objM_Excel->Put(u"Visible", true);
        objM_Excel->Put(u"DisplayAlerts", true);
    });
}

bool Cls_ExcelCreate::FileClose() {
    return Trapped([&] {
        ActiveWorkbook()->Call(u"Close");
        lngM_FileStatus = 1;
    });
}

bool Cls_ExcelCreate::Quit() {
    return Trapped([&] {
        objM_Excel->Call(u"Quit");
        lngM_FileStatus = 1;
    });
}

}  // namespace tabora
