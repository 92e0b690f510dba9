#pragma once
// The sheet list window: loads a workbook into a new application instance, lists its
// worksheets, finds one by the beginning of its name and switches to it, and opens the
// duplication window for it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/mdl_Resize.h"
#include "excel/AutomationServer.h"
#include "excel/Cls_ExcelCreate.h"
#include "platform/Forms.h"

namespace tabora::windows {

struct WindowServices {
    platform::FormFactory& forms;
    AutomationServer& excel;
};

class Frm_Test {
public:
    // Creates the window and runs its load step.
    explicit Frm_Test(WindowServices services);
    ~Frm_Test();
    Frm_Test(const Frm_Test&) = delete;
    Frm_Test& operator=(const Frm_Test&) = delete;

    void Show() { form_->Show(); }
    platform::Form& Form() { return *form_; }
    bool IsLoaded() const { return form_->IsLoaded(); }

private:
    // Events.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void Cmd_決定ファイル_Click();
    void Cmd_Get_Click();
    void Txt_Path_OLEDragDrop(const platform::DroppedFiles& Data);
    void Lst_Item_OLEDragDrop(const platform::DroppedFiles& Data);
    void Txt_SheetName_OLEDragDrop(const platform::DroppedFiles& Data);
    void Lst_Item_Click();
    void Lst_Item_DblClick();
    void Cmd_Change_Click();
    void Txt_SheetName_KeyDown(int16_t& KeyCode, int16_t Shift);
    void Cmd_Open_Click();

    // Loading.
    void PositionWindow();
    bool OpenWorkbook();
    bool CloseWorkbook();
    bool DropFile(const platform::DroppedFiles& Data, platform::TextBox& TxtA_Target);
    bool IsXlsFile(const std::u16string& strA_Path);
    // Searching and switching.
    void SearchSheetName();
    bool SelectListItem(const std::u16string& strA_Text);
    bool ChangeSheet();
    // Duplication.
    bool OpenMoreWindow();
    // Layout.
    void InitLayout();
    // Following the workbook. Every handler of the window runs as an Operation: while one runs
    // (a load, a switch, a message box, the duplication window), the list is left alone, and a
    // look asked for meanwhile is taken once the last of them has returned.
    class Operation {
    public:
        explicit Operation(Frm_Test& window);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        Frm_Test& window_;
    };
    void FollowSheetsOf(const std::shared_ptr<Cls_ExcelCreate>& book);
    void StopFollowing();
    void UpdateSheetList();
    void ShowSheetNames(const std::vector<std::u16string>& names);

    void ConnectEvents();

    WindowServices services_;
    std::unique_ptr<platform::Form> form_;
    platform::TextBox& Txt_Path;
    platform::TextBox& Txt_SheetName;
    platform::ListBox& Lst_Item;
    platform::PictureButton& Cmd_決定ファイル;
    platform::PictureButton& Cmd_Get;
    platform::PictureButton& Cmd_Change;
    platform::PictureButton& Cmd_Open;
    platform::Frame& Fra_File;
    platform::Frame& Fra_Sheet;
    std::vector<platform::Connection> connections_;

    std::shared_ptr<Cls_ExcelCreate> clsM_ExcelBook;  // shared with the duplication window
    bool blnM_FirstActivate = false;
    int32_t lngM_LastKeyCode = 0;
    bool blnM_Searching = false;
    int32_t lngM_ListGap = 0;
    mdl_Resize::ResizeInfo typM_ResizeInfo;
    std::vector<mdl_Resize::ResizeItem> typM_ResizeTable;
    int32_t lngM_ResizeCount = 0;

    // The list follows the workbook of the wrapper that filled it, while the window is idle.
    std::weak_ptr<Cls_ExcelCreate> listedBook_;
    std::optional<std::u16string> listedBookName_;  // learnt at the first look after the fill
    int operationsRunning_ = 0;
    uint64_t operationsStarted_ = 0;
    bool updateWanted_ = false;  // asked for while an operation ran, or during the last look
    bool updating_ = false;
    platform::Event<> sheetsChanged_;  // the server's word, taken as one of the window's events
    std::unique_ptr<SheetWatch> sheetWatch_;
};

}  // namespace tabora::windows
