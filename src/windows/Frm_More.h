#pragma once
// The duplication window: copies one sheet of the open workbook once for every line of its
// names box, each copy named by the line up to its first comma.

#include <memory>
#include <vector>

#include "excel/Cls_ExcelCreate.h"
#include "platform/Forms.h"

namespace tabora::windows {

class Frm_More {
public:
    // Creates the window and loads it.
    explicit Frm_More(platform::FormFactory& forms);
    ~Frm_More();
    Frm_More(const Frm_More&) = delete;
    Frm_More& operator=(const Frm_More&) = delete;

    platform::Form& Form() { return *form_; }

    // A reference of the dialog's own: the workbook stays usable while the dialog is up, even
    // if the opener lets go of its reference meanwhile.
    std::shared_ptr<Cls_ExcelCreate> clsM_Excel;

private:
    std::unique_ptr<platform::Form> form_;

public:
    // Filled by the opener before showing.
    platform::TextBox& Txt_SheetName;
    platform::PictureButton& Cmd_Copy;
    platform::TextBox& Txt_NewSheets;

private:
    void Cmd_Copy_Click();
    bool CopySheets();

    std::vector<platform::Connection> connections_;
};

}  // namespace tabora::windows
