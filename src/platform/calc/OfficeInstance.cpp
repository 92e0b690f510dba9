#include "platform/calc/OfficeInstance.h"

#include <com/sun/star/awt/PosSize.hpp>
#include <com/sun/star/awt/XToolkit.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <system_error>

#include "platform/Runtime.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/DocumentAccess.h"
#include "platform/calc/OfficeConnection.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/OfficeRetirement.h"
#include "platform/calc/ProfileTemplate.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

namespace {

bool HasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && x[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

// The office's exit code when it wants to be started again (after it has upgraded a profile).
constexpr int kExitRestartRequested = 81;

// The bars a user expects in Calc's window; a document loaded hidden shows none of them.
constexpr const char* kWindowElements[] = {
    "private:resource/menubar/menubar",
    "private:resource/toolbar/standardbar",
    "private:resource/toolbar/formatobjectbar",
    "private:resource/statusbar/statusbar",
};

// Asks the office to end; false when it refused or has gone already.
bool AskToEnd(const uno::Reference<frame::XComponentLoader>& desktop) {
    try {
        return uno::Reference<frame::XDesktop>(desktop, uno::UNO_QUERY_THROW)->terminate();
    } catch (...) {
        return false;
    }
}

uno::Reference<frame::XLayoutManager> LayoutOf(const uno::Reference<frame::XFrame>& frame) {
    uno::Reference<beans::XPropertySet> frameProps(frame, uno::UNO_QUERY_THROW);
    return uno::Reference<frame::XLayoutManager>(frameProps->getPropertyValue("LayoutManager"), uno::UNO_QUERY);
}

}  // namespace

std::shared_ptr<OfficeInstance> OfficeInstance::StartOnce(const std::vector<std::string>& environment) {
    InstanceDirectory dir = InstanceDirectory::Create();
    std::unique_ptr<OfficeProcess> process;
    try {
        CopyProfileTemplate(dir.profile);
        OfficeCommand command;
        command.program = OfficeProgram();
        command.args = {"-env:UserInstallation=" + FileUrl(dir.profile), "--norestore", "--nologo", "--nodefault",
                        "--accept=pipe,name=" + dir.pipeName + ";urp;StarOffice.ComponentContext"};
        if (!HasDisplay()) command.args.emplace_back("--headless");
        command.instanceDir = dir.dir.string();
        command.documentList = dir.documentList.string();
        command.lockMarker = dir.token;
        command.pipePath = dir.pipePath.string();
        command.pipeDir = InstanceDirectory::PipeDir();
        command.ipcPipePrefix = InstanceDirectory::IpcPipePrefix();
        command.tempDir = dir.tempDir.string();
        command.environment = environment;
        process = OfficeProcess::Start(command);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove_all(dir.dir, ec);
        throw;
    }
    dir.RecordOwners(process->Pid(), process->KeeperPid());
    std::shared_ptr<OfficeInstance> instance(new OfficeInstance(std::move(dir), std::move(process)));
    OfficeProcess& started = *instance->process_;
    try {
        instance->context_ = ConnectToOffice(instance->dir_.pipeName, [&] { return started.Running(); },
                                             std::chrono::seconds(60));
        instance->desktop_.set(frame::Desktop::create(instance->context_), uno::UNO_QUERY_THROW);
    } catch (const RuntimeError&) {
        if (!started.Running() && started.ExitCode() == kExitRestartRequested) return nullptr;
        throw;
    } catch (const uno::Exception&) {
        throw OfficeStartError({});  // the office's own text is for its developers, not the user
    }
    // A second office on the same profile would hand over and exit: make sure ours is the one.
    if (!started.Running()) throw OfficeStartError(u"LibreOffice が起動中に終了しました。");
    return instance;
}

std::shared_ptr<OfficeInstance> OfficeInstance::Start(const std::vector<std::string>& environment) {
    SweepStaleInstances();
    if (auto instance = StartOnce(environment)) return instance;
    // The office upgraded the profile and wants to start again: once more, on a new template.
    DiscardProfileTemplate();
    if (auto instance = StartOnce(environment)) return instance;
    throw OfficeStartError(u"LibreOffice が再起動を繰り返しています。");
}

OfficeInstance::~OfficeInstance() {
    // An office that was never shown ends here, and so does a shown one left with nothing to show
    // (no document, so no window the user could close it by). It is asked first, so that it
    // removes its own pipes, temporary files and lock files; its keeper makes sure of it afterwards,
    // without keeping the tool waiting.
    const bool end = process_->Running() && (!shown_ || !HasDocument());
    std::shared_ptr<OfficeRetirement> retirement = retirement_.lock();
    if (end && shown_ && retirement) {
        // Most likely replaced by the load that starts now: ended once the tool is quiet, and by
        // its keeper should the tool go first.
        process_->TakeBack();
        retirement->Retire([context = std::move(context_), desktop = std::move(desktop_),
                            process = std::shared_ptr<OfficeProcess>(std::move(process_))]() mutable {
            bool asked = AskToEnd(desktop);
            desktop.clear();
            context.clear();
            if (asked)
                process->LetEnd();
            else
                process->Terminate();
        });
        return;
    }
    bool asked = false;
    if (end) {
        try {
            CloseDocuments();
            asked = AskToEnd(desktop_);
        } catch (...) {
            // a document that would not close: the keeper ends the office
        }
    }
    // References to the office go first, while it still answers; then the process.
    try {
        desktop_.clear();
        context_.clear();
    } catch (...) {
    }
    if (asked)
        process_->LetEnd();
    else if (end && shown_)
        process_->TakeBack();
}

bool OfficeInstance::HasDocument() {
    try {
        uno::Reference<frame::XDesktop> desktop(desktop_, uno::UNO_QUERY_THROW);
        uno::Reference<container::XEnumeration> components =
            desktop->getComponents()->createEnumeration();
        return components->hasMoreElements();
    } catch (...) {
        return true;  // cannot tell: the user's office stays
    }
}

uno::Reference<uno::XInterface> OfficeInstance::CreateService(const char* name) const {
    return context_->getServiceManager()->createInstanceWithContext(Ascii(name), context_);
}

void OfficeInstance::RethrowAsAutomationError() {
    try {
        throw;
    } catch (const RuntimeError&) {
        throw;
    } catch (const lang::DisposedException&) {
        throw CalcFailure(kErrServerUnavailable);
    } catch (const uno::RuntimeException& e) {
        if (!Running() || e.Message.indexOf("disposed") >= 0) throw CalcFailure(kErrServerUnavailable);
        // The office's own text names its source files ("at ./sc/source/..."): Excel's is shown.
        throw CalcFailure(kErrRefused);
    } catch (const uno::Exception&) {
        throw CalcFailure(kErrRefused);
    } catch (const std::bad_alloc&) {
        throw CalcFailure(7, u"メモリが不足しています。");
    }
}

bool OfficeInstance::StillRunning() {
    const auto now = std::chrono::steady_clock::now();
    if (now - runningCheckedAt_ < std::chrono::milliseconds(20)) return true;
    if (!Running()) return false;
    runningCheckedAt_ = now;
    return true;
}

void OfficeInstance::SetShown(bool shown) {
    shown_ = shown;
    SettleOwnership();
}

void OfficeInstance::HideDocument(const DocumentRef& document) { FrameOf(document)->getContainerWindow()->setVisible(false); }

void OfficeInstance::SettleOwnership() {
    const bool users = shown_ && HasDocument();
    if (users)
        process_->HandToUser();
    else
        process_->TakeBack();
    dir_.RecordShown(users);
}

int16_t OfficeInstance::Ask(const DocumentRef& document, DocumentQuestion question) {
    if (shown_) LocateWindow(document, question);
    return ask_ ? ask_(question) : platform::MessageBox().Show(question.style, question.text, question.title);
}

void OfficeInstance::ShowDocument(const DocumentRef& document) {
    uno::Reference<frame::XFrame> frame = FrameOf(document);
    uno::Reference<frame::XLayoutManager> layout = LayoutOf(frame);
    if (layout.is()) {
        layout->setVisible(true);
        for (const char* element : kWindowElements) {
            if (!layout->getElement(Ascii(element)).is()) layout->createElement(Ascii(element));
            layout->showElement(Ascii(element));
        }
    }
    const uno::Reference<awt::XWindow> window = frame->getContainerWindow();
    const std::optional<ScreenRect> place = PlaceBesidePanel(document, window);
    // Not activated from here: the window manager focuses the new window and the office activates
    // its frame then, without keeping the tool's list waiting.
    window->setVisible(true);
    // Shown smaller, so that the window manager leaves it unmaximised; now it takes its place.
    if (place) window->setPosSize(place->x, place->y, place->width, place->height, awt::PosSize::POSSIZE);
}

std::optional<ScreenRect> OfficeInstance::PlaceBesidePanel(const DocumentRef& document,
                                                           const uno::Reference<awt::XWindow>& window) {
    if (!panel_ || std::find(placed_.begin(), placed_.end(), document) != placed_.end()) return std::nullopt;
    placed_.push_back(document);
    std::optional<PanelGeometry> panel = panel_();
    if (!panel) return std::nullopt;
    uno::Reference<awt::XToolkit> toolkit(CreateService("com.sun.star.awt.Toolkit"), uno::UNO_QUERY);
    if (!toolkit.is()) return std::nullopt;
    // The office's own screen: its primary one, counted in its own pixels.
    const awt::Rectangle area = toolkit->getWorkArea();
    const ScreenRect officeScreen{area.X, area.Y, area.Width, area.Height};
    const ScreenRect workArea = panel->workArea.value_or(officeScreen);
    const std::optional<ScreenRect> place = BesidePanel(*panel, workArea);
    if (!place) return std::nullopt;
    const double scale = panel->primaryScreen ? OfficeScale(*panel->primaryScreen, officeScreen) : 1.0;
    // A window the office would open maximised must be a normal one to stand beside the panel.
    uno::Reference<awt::XTopWindow2> top(window, uno::UNO_QUERY);
    if (top.is() && top->getIsMaximized()) top->setIsMaximized(false);
    const ScreenRect first = InOfficeUnits(FirstShown(*place, workArea), scale);
    window->setPosSize(first.x, first.y, first.width, first.height, awt::PosSize::POSSIZE);
    return InOfficeUnits(*place, scale);
}

void OfficeInstance::DocumentOpened() {
    if (shown_) SettleOwnership();
}

void OfficeInstance::DocumentClosed(const DocumentRef& document) {
    std::erase(placed_, document);
    if (shown_) SettleOwnership();
}

void OfficeInstance::CloseDocuments() {
    try {
        uno::Reference<frame::XDesktop> desktop(desktop_, uno::UNO_QUERY_THROW);
        uno::Reference<container::XEnumeration> components = desktop->getComponents()->createEnumeration();
        while (components->hasMoreElements()) {
            uno::Reference<util::XCloseable> closeable(components->nextElement(), uno::UNO_QUERY);
            if (closeable.is()) closeable->close(true);
        }
    } catch (const uno::Exception&) {
        // ending the process settles it
    }
}

void OfficeInstance::WarmUp() {
    // An .xls written and read back: the Excel filters are loaded on first use too.
    const std::string url = FileUrl(dir_.tempDir / "warm-up.xls");
    const beans::PropertyValue hidden[] = {Property("Hidden", uno::Any(true))};
    const beans::PropertyValue asXls[] = {Property("FilterName", uno::Any(rtl::OUString("MS Excel 97")))};
    auto load = [&](const rtl::OUString& what) {
        return uno::Reference<util::XCloseable>(
            desktop_->loadComponentFromURL(what, "_blank", 0, uno::Sequence<beans::PropertyValue>(hidden, 1)),
            uno::UNO_QUERY_THROW);
    };
    uno::Reference<util::XCloseable> made = load("private:factory/scalc");
    uno::Reference<frame::XStorable>(made, uno::UNO_QUERY_THROW)
        ->storeToURL(FromUtf8(url), uno::Sequence<beans::PropertyValue>(asXls, 1));
    made->close(true);
    // Its bars made once too, unseen: the first window shown then takes a fraction of the time.
    uno::Reference<util::XCloseable> read = load(FromUtf8(url));
    if (uno::Reference<frame::XLayoutManager> layout = LayoutOf(FrameOf(DocumentRef(read, uno::UNO_QUERY_THROW))); layout.is())
        for (const char* element : kWindowElements) layout->createElement(Ascii(element));
    read->close(true);
    std::error_code ec;
    std::filesystem::remove(dir_.tempDir / "warm-up.xls", ec);
}

void OfficeInstance::Quit() {
    CloseDocuments();
    const bool asked = AskToEnd(desktop_);  // refused or gone: the keeper ends it below
    if (asked)
        process_->LetEnd();
    else
        process_->Terminate();
}

}  // namespace tabora::calc
