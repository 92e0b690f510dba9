#pragma once
// One running office process, its connection, and its windows. The application's store holds it
// (CalcStore.h), so the office ends when the last object of its application is released (unless
// it was shown and still shows a document).

#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/calc/DocumentQuestion.h"
#include "platform/calc/InstanceDirectory.h"
#include "platform/calc/OfficeProcess.h"
#include "platform/calc/WindowPlacement.h"

namespace tabora::calc {

class OfficeRetirement;

using DocumentRef = css::uno::Reference<css::sheet::XSpreadsheetDocument>;

class OfficeInstance {
public:
    // A new office process of its own, connected; throws RuntimeError (429) when it cannot start.
    // environment: "NAME=value" for the office, over the tool's own.
    static std::shared_ptr<OfficeInstance> Start(const std::vector<std::string>& environment = {});
    ~OfficeInstance();
    OfficeInstance(const OfficeInstance&) = delete;
    OfficeInstance& operator=(const OfficeInstance&) = delete;

    const css::uno::Reference<css::uno::XComponentContext>& Context() const { return context_; }
    const css::uno::Reference<css::frame::XComponentLoader>& Desktop() const { return desktop_; }
    css::uno::Reference<css::uno::XInterface> CreateService(const char* name) const;

    pid_t ProcessId() const { return process_->Pid(); }
    bool Running() { return process_->Running(); }
    // Running, asked of the system at most every few milliseconds: what the server answers from
    // its own records (a long list of sheet names) still fails at once once the office has gone.
    bool StillRunning();

    // Maps the exception being handled to a RuntimeError and throws it; call inside catch.
    [[noreturn]] void RethrowAsAutomationError();

    // Shown to the user: while it also holds a document the office is then the user's, and stays
    // when the tool lets go of it or ends.
    void SetShown(bool shown);
    bool Shown() const { return shown_; }
    // Notes a document's path before the office opens or saves it, so that the lock file it makes
    // there is removed even when the office is killed in the middle.
    void NoteDocument(const std::string& path) { dir_.RecordDocument(path); }
    // A document opened or added, or closed: whose the office is may change with it; a closed
    // document's window is placed afresh should it be shown again.
    void DocumentOpened();
    void DocumentClosed(const DocumentRef& document);

    // Where a shown office with nothing left to show goes when it is released, to be ended once
    // the tool is quiet; without one (or once it has gone) it ends at once.
    void RetireThrough(std::weak_ptr<OfficeRetirement> retirement) { retirement_ = std::move(retirement); }
    // How the user is asked about a document (Excel's own questions); without it, through the
    // tool's message box.
    void AskThrough(AskUser ask) { ask_ = std::move(ask); }
    // Asks the user about one of the office's documents, in front of its window while shown.
    int16_t Ask(const DocumentRef& document, DocumentQuestion question);
    // Where the tool's panel stands: a document's window is first shown beside it.
    void SetPanelRectangle(PanelRectangle panel) { panel_ = std::move(panel); }
    // Shows the document's window with its menus and bars (hidden documents have none shown).
    void ShowDocument(const DocumentRef& document);
    void HideDocument(const DocumentRef& document);
    // Makes a first spreadsheet and closes it, so that the office has loaded what a load needs:
    // the first load in a new office costs most of a second more than any later one.
    void WarmUp();
    // Ends the office: documents closed without saving, process ended.
    void Quit();

private:
    // One start; nullptr when the office ended asking to be started again.
    static std::shared_ptr<OfficeInstance> StartOnce(const std::vector<std::string>& environment);
    void CloseDocuments();
    // True when the office has a document open (ours or one the user opened in it).
    bool HasDocument();
    // A shown office with a document is the user's: it outlives the tool, a crash or a kill of
    // it included. With nothing left to show it has no window to be closed by, and is the tool's
    // again, to end.
    void SettleOwnership();
    // Puts the window beside the panel, the first time it is shown only: a place the user
    // chooses afterwards stays. Sets the size it is first shown at, and answers its place (in
    // the office's pixels), to be set once it is shown.
    std::optional<ScreenRect> PlaceBesidePanel(const DocumentRef& document,
                                               const css::uno::Reference<css::awt::XWindow>& window);
    OfficeInstance(InstanceDirectory dir, std::unique_ptr<OfficeProcess> process)
        : dir_(std::move(dir)), process_(std::move(process)) {}

    InstanceDirectory dir_;
    std::unique_ptr<OfficeProcess> process_;
    std::weak_ptr<OfficeRetirement> retirement_;
    AskUser ask_;
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XComponentLoader> desktop_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point runningCheckedAt_;
    PanelRectangle panel_;
    std::vector<DocumentRef> placed_;
};

}  // namespace tabora::calc
