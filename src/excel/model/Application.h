#pragma once
// One instance of Excel as its object model sees it: the state Excel keeps per instance (alerts,
// visibility, sheets in a new workbook, the workbooks it holds and the one in front, the copy
// mode) over the store that holds the workbooks. Every object handed out holds the instance, so
// the store lives while any of them does.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "excel/Automation.h"
#include "excel/WorkbookGrid.h"
#include "excel/model/Store.h"
#include "platform/RuntimeError.h"

namespace tabora::excel::model {

class Application : public std::enable_shared_from_this<Application> {
public:
    // A new instance over store, and its Application object.
    static ObjectRef Create(std::shared_ptr<ApplicationStore> store);
    explicit Application(std::shared_ptr<ApplicationStore> store) : store_(std::move(store)) {}

    ApplicationStore& Store() const { return *store_; }

    bool DisplayAlerts() const { return displayAlerts_; }
    void SetDisplayAlerts(bool on) { displayAlerts_ = on; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int32_t SheetsInNewWorkbook() const { return sheetsInNewWorkbook_; }
    void SetSheetsInNewWorkbook(int32_t count) { sheetsInNewWorkbook_ = count; }

    // Open workbooks, oldest first, and the one in front.
    const std::vector<WorkbookRef>& Workbooks() const { return workbooks_; }
    const WorkbookRef& ActiveWorkbook() const { return active_; }
    bool IsOpen(const WorkbookStore& workbook) const;
    // An opened or added workbook comes to the front, in a window when the instance is shown.
    void Adopt(WorkbookRef workbook);
    void Activate(const WorkbookRef& workbook);
    // A closed workbook goes; the one opened last comes to the front.
    void Forget(const WorkbookStore& workbook);
    // Quit: every workbook closed unsaved, the application ended.
    void Quit();

    // Excel's copy mode: the range last copied, until a paste by insert or a change ends it.
    struct CopyMode {
        WorkbookRef workbook;
        SheetRef sheet;
        CellArea area;
    };
    const std::optional<CopyMode>& Copied() const { return copied_; }
    void SetCopied(std::optional<CopyMode> copied) { copied_ = std::move(copied); }

    // The grid of a workbook: that of the format it is saved in, the large one until it is.
    static WorkbookGrid GridOf(WorkbookStore& workbook) { return GridOfFormat(workbook.FileFormat()); }

    // Errors the application raises itself: number 1004 (or another), its own source.
    RuntimeError Refusal(std::u16string description, int32_t number = vb_error::kApplicationDefined) const;
    // The error of an object whose workbook was closed or sheet deleted.
    RuntimeError ObjectDeleted() const;

private:
    std::shared_ptr<ApplicationStore> store_;
    bool displayAlerts_ = true;
    bool visible_ = false;
    int32_t sheetsInNewWorkbook_ = 3;
    std::vector<WorkbookRef> workbooks_;
    WorkbookRef active_;
    std::optional<CopyMode> copied_;
};

}  // namespace tabora::excel::model
