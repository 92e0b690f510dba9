#pragma once
// A wrapper around one spreadsheet application instance of its own: its workbook, sheets and
// cells. Operations trap every error of the automation server and answer with a result (False,
// an empty text); with MsgDisplayFlg_Prop True they also show the error, and questions are
// asked; with it False failures are silent and every question counts as answered No.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "excel/Automation.h"
#include "excel/AutomationServer.h"
#include "platform/Controls.h"
#include "platform/RuntimeError.h"

namespace tabora {

class Cls_ExcelCreate {
public:
    // Starts a new, hidden application instance with alerts off. A failure to start one is not
    // trapped: it reaches the code that creates the wrapper.
    explicit Cls_ExcelCreate(AutomationServer& server);
    // Drops the reference without closing the workbook or quitting: a shown instance stays open
    // for the user.
    ~Cls_ExcelCreate() = default;
    Cls_ExcelCreate(const Cls_ExcelCreate&) = delete;
    Cls_ExcelCreate& operator=(const Cls_ExcelCreate&) = delete;

    // --- Instance and workbook ---
    void MsgDisplayFlg_Prop(bool vData) { blnM_MsgDisplayFlg = vData; }
    bool MsgDisplayFlg_Prop() const { return blnM_MsgDisplayFlg; }
    // The active sheet as a worksheet once FileOpen has succeeded, else no object. Not trapped:
    // a chart sheet raises a type mismatch.
    ObjectRef GetActiveSheet();
    // Flag setters take "True"/"False" or a number; other text raises a type mismatch.
    void SetCreateNew(std::u16string vData);
    std::u16string GetCreateNew() const;
    void SetOverWrite(std::u16string vData);
    std::u16string GetOverWrite() const;
    void SetRenameForce(std::u16string vData);
    std::u16string GetRenameForce() const;
    bool FileOpen(const std::u16string& strA_FullPath, const std::u16string& strA_ActiveSheetName = {});
    bool FileCreate();
    bool FileSave(const std::u16string& strA_Path);
    bool Show();
    bool FileClose();
    bool Quit();

    // --- Sheets ---
    bool ActiveSheetName(const std::u16string& strA_SheetName);
    bool ActiveSheetNumber(int32_t lngA_SheetNumber);
    bool SheetCopy(const std::u16string& strA_BaseName, const std::u16string& strA_NewName);
    bool SheetRename(const std::u16string& strA_OldName, const std::u16string& strA_NewName);
    bool SetSheetNames(platform::ListBox& LstA_Item);
    // The active workbook's name and its worksheets' names, as SetSheetNames lists them. False
    // on any failure, which is never reported, whatever MsgDisplayFlg_Prop says: the sheet list
    // asks in the background.
    bool GetSheetNames(std::u16string& strA_BookName, std::vector<std::u16string>& strA_SheetNames);
    // Calls changed on the user-interface thread when the sheets of the instance's workbooks may
    // have changed, for as long as the watch is kept; nothing where the server cannot tell.
    std::unique_ptr<SheetWatch> WatchSheets(std::function<void()> changed);

    // --- Borders and fill of a range of the active sheet ---
    void DrowCellsLine(int32_t lngA_RowStart, int32_t lngA_RowEnd, int32_t lngA_ColStart, int32_t lngA_ColEnd,
                       int32_t xlsStyle = -4142, int32_t xlsWeight = 1, int32_t xlsBorders = 9);
    void PaintCellColor(int32_t lngA_RowStart, int32_t lngA_RowEnd, int32_t lngA_ColStart, int32_t lngA_ColEnd,
                        int32_t xlsColor = -4105, int32_t xlsPattern = -4105);

    // --- Cell values of the active sheet ---
    bool SetValue(int32_t lngRow, int32_t lngCol, const std::u16string& strValue);
    // strCol is left trimmed for the caller.
    bool SetVal(std::u16string& strCol, int32_t lngRow, const std::u16string& strValue);
    std::u16string GetValue(int32_t lngRow, int32_t lngCol);
    std::u16string GetVal(std::u16string& strCol, int32_t lngRow);
    // Column letters to a number: A-Z 1-26, AA-ZZ 27-702, digits as the number they write, three
    // or more letters 0. One or two characters that are not all letters raise a type mismatch.
    // strCol is left trimmed for the caller.
    int32_t FncLng_AlphabetToNumber(std::u16string& strCol);
    // Whole number of a numeric text, rounded half to even; 0 for anything else.
    int32_t toLong(const std::u16string& strA_Num);

    // --- Copy, paste, merge, and whole rows and columns of the active sheet ---
    void CellCopy(int32_t lngA_RowStart, int32_t lngA_RowEnd, int32_t lngA_ColStart, int32_t lngA_ColEnd);
    void CellPaste(int32_t lngRow, int32_t lngCol, int32_t xlsPaste = -4104, int32_t xlsOperate = -4142,
                   bool blnSkipBlanks = false, bool blnTranspose = false);
    void CellMerge(int32_t lngA_RowStart, int32_t lngA_ColStart, int32_t lngA_RowEnd, int32_t lngA_ColEnd);
    void CopyAndInsert_Col(int32_t lngA_Col, int32_t lngA_NewCol, int32_t lngA_LeftRight);
    void CopyAndInsert_Row(int32_t lngA_Row, int32_t lngA_NewRow, int32_t lngA_UpDown);
    void DeleteCol(int32_t lngA_Col, int32_t lngA_LeftRight);
    void DeleteRow(int32_t lngA_Row, int32_t lngA_UpDown);

private:
    // Runs body; an error it raises is reported through PSub_ErrorReport and gives false.
    bool Trapped(const std::function<void()>& body);

    void PSub_ErrorReport(ErrorRecord& currentError);
    bool PFncBln_AskMessage(int32_t style, const std::u16string& message, const std::u16string& title);
    // attributes is ignored: only an ordinary file counts, which is what the 0 every caller passes
    // asks for.
    // The next three are not trapped: a failure of theirs is the failure of the operation that
    // asked, which reports it once and gives False.
    bool PFncBln_FileExists(const std::u16string& path, int32_t attributes);
    bool PFncBln_CheckOverWrite(const std::u16string& path);
    // strA_OwnName is the (Excel's) name of the sheet being copied or renamed. With
    // blnM_RenameForce, replaced is set to the other worksheet that bears the new name, for
    // PSub_NameSheet to replace; that sheet is never the one being copied or renamed.
    bool PFncBln_CheckSameSheet(const std::u16string& strA_NewName, const std::u16string& strA_OwnName,
                                ObjectRef& replaced);
    // Names sheet; with replaced, that sheet gives up the name and is deleted once sheet has it.
    // A failure at any step runs undo (which puts sheet back as it was before the operation),
    // gives replaced its name back, and is raised: the workbook is left as it was.
    void PSub_NameSheet(AutomationObject& sheet, const std::u16string& name, const ObjectRef& replaced,
                        const std::function<void()>& undo);
    // Whether a sheet is shown (neither hidden nor very hidden), so that it can come to the front.
    bool PFncBln_IsShown(AutomationObject& sheet);
    // Puts an application property back on the way out of a "set, do, put back".
    void PSub_PutBack(const std::u16string& property, const Variant& value) noexcept;
    int32_t FncLng_LetterToNumber(char16_t letter);

    ObjectRef ActiveWorkbook();
    // Each worksheet's name in workbook order, as the workbook's Worksheets enumerate them.
    void ForEachWorksheetName(AutomationObject& workbook, const std::function<void(std::u16string)>& visit);
    ObjectRef ActiveSheetOfActiveWorkbook();
    ObjectRef Cell(AutomationObject& sheet, int32_t row, int32_t col);
    ObjectRef RangeOf(AutomationObject& sheet, int32_t row1, int32_t col1, int32_t row2, int32_t col2);
    // Deletes a copy that could not be named, with alerts off meanwhile; a failure is dropped.
    void DiscardSheet(AutomationObject& sheet) noexcept;

    AutomationServer& server_;
    bool blnM_MsgDisplayFlg = true;
    ObjectRef objM_Excel;
    int32_t lngM_FileStatus = 1;
    bool blnM_CreateNew = false;
    bool blnM_OverWrite = false;
    bool blnM_RenameForce = false;
};

}  // namespace tabora
