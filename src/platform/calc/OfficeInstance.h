#pragma once
// One running office and the application state Excel keeps per instance. Every object of the
// instance holds it, so the office ends when the last object is released (unless it was shown).

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/calc/InstanceDirectory.h"
#include "platform/calc/OfficeProcess.h"

namespace tabora::calc {

using DocumentRef = css::uno::Reference<css::sheet::XSpreadsheetDocument>;

// Excel's copy mode: the range last copied, until it is pasted by an insert or cancelled.
struct CopySource {
    DocumentRef document;
    css::table::CellRangeAddress address;
    bool entireColumns = false;
    bool entireRows = false;
};

class OfficeInstance {
public:
    // A new office process of its own, connected; throws RuntimeError (429) when it cannot start.
    static std::shared_ptr<OfficeInstance> Start();
    ~OfficeInstance();
    OfficeInstance(const OfficeInstance&) = delete;
    OfficeInstance& operator=(const OfficeInstance&) = delete;

    const css::uno::Reference<css::uno::XComponentContext>& Context() const { return context_; }
    const css::uno::Reference<css::frame::XComponentLoader>& Desktop() const { return desktop_; }
    css::uno::Reference<css::uno::XInterface> CreateService(const char* name) const;

    pid_t ProcessId() const { return process_->Pid(); }
    bool Running() { return process_->Running(); }

    // Maps the exception being handled to a RuntimeError and throws it; call inside catch.
    [[noreturn]] void RethrowAsAutomationError();

    // Application state.
    bool displayAlerts = true;
    int32_t sheetsInNewWorkbook = 3;
    std::optional<CopySource> copySource;
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Workbooks opened or added through this instance, oldest first, and the active one.
    const std::vector<DocumentRef>& Workbooks() const { return workbooks_; }
    DocumentRef ActiveWorkbook() const { return active_; }
    void AddWorkbook(const DocumentRef& document, const std::string& path);
    void MakeActive(const DocumentRef& document);
    void ForgetWorkbook(const DocumentRef& document);
    void NoteSavedAs(const std::string& path) { dir_.RecordDocument(path); }
    // The document's sheet container, asked for once per document.
    css::uno::Reference<css::sheet::XSpreadsheets> SheetsOf(const DocumentRef& document);

    // Shows the document's window with its menus and bars (hidden documents have none shown).
    void ShowDocument(const DocumentRef& document);
    // Ends the office: documents closed without saving, process ended.
    void Quit();

private:
    void CloseDocuments();
    OfficeInstance(InstanceDirectory dir, std::unique_ptr<OfficeProcess> process)
        : dir_(std::move(dir)), process_(std::move(process)) {}

    InstanceDirectory dir_;
    std::unique_ptr<OfficeProcess> process_;
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XComponentLoader> desktop_;
    std::vector<DocumentRef> workbooks_;
    DocumentRef active_;
    std::vector<std::pair<DocumentRef, css::uno::Reference<css::sheet::XSpreadsheets>>> sheets_;
    bool visible_ = false;
};

}  // namespace tabora::calc
