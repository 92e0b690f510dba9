// A workbook listed in the sheet list window, measured three ways side by side in one loop, each
// on the same one-sheet .xls:
//  - spare: Frm_Test's load (new instance, open, show, list) on a server that keeps a spare
//    office, with the spare ready;
//  - running: an office that already runs loads the file (loadComponentFromURL with no arguments:
//    in a window of its own, as the tool's load shows it) and its sheet names go into the same
//    kind of list;
//  - running, hidden: the same load hidden, which shows nothing (what the spare's load costs
//    beyond a window, closing the previous workbook and a new process);
//  - cold: Frm_Test's load on a server without a spare.
// On a virtual screen with a window manager, where Xvfb and jwm are installed. Counters: the
// medians (ms), vs_running_office = spare / running (target at most 1.3),
// vs_running_office_hidden = spare / running, hidden, and vs_cold_start = spare / cold (target
// at most 1/3).
#include <benchmark/benchmark.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include "calc/CalcTestSupport.h"
#include "platform/calc/ObjectAccess.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/DocumentAccess.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/ProcessAlive.h"
#include "support/HeadlessControls.h"
#include "support/HeadlessForms.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "windows/Frm_Test.h"

namespace tabora {
namespace {

using Clock = std::chrono::steady_clock;
using namespace css;

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_ListedWorkbook(benchmark::State& state) {
    // Windows shown as the tool shows them to its user: on a screen, framed by a window manager.
    // A headless office paints its first window much slower than one on a screen does.
    std::optional<calc::test::VirtualScreen> screen;
    if (calc::test::VirtualScreen::Available()) screen.emplace();
    test::TestRuntime runtime;
    test::TempDir folder;
    // One copy each: an office that has a file open locks it for the others.
    const std::u16string spareBook = folder.File(u"spare.xls"), runningBook = folder.File(u"running.xls"),
                         coldBook = folder.File(u"cold.xls");
    calc::test::SpareSignal spares;
    std::vector<pid_t> offices;
    calc::CalcServerOptions withoutSpare;
    withoutSpare.officeStarted = [&](pid_t office) { offices.push_back(office); };
    calc::CalcServerOptions withSpare = withoutSpare;
    withSpare.keepSpare = true;
    withSpare.spareReady = spares.Hook();
    auto spareServer = calc::MakeCalcServer(withSpare);
    auto coldServer = calc::MakeCalcServer(withoutSpare);
    {
        ObjectRef maker = coldServer->CreateApplication();
        maker->Put(u"DisplayAlerts", false);
        maker->Put(u"SheetsInNewWorkbook", int32_t{1});
        ObjectRef made = maker->GetObject(u"Workbooks")->Call(u"Add").AsObject();
        for (const auto& copy : {spareBook, runningBook, coldBook}) made->Call(u"SaveAs", {copy});
        maker->Call(u"Quit");
    }
    // The running office, and the list its names go to.
    ObjectRef running = coldServer->CreateApplication();
    auto& office = *calc::OfficeOf(running);
    const std::string fileUrl = calc::FileUrl(calc::test::Utf8(runningBook));
    const rtl::OUString url = rtl::OUString::fromUtf8(rtl::OString(fileUrl.c_str()));
    platform::ControlDescription listDescription;
    listDescription.kind = platform::ControlKind::ListBox;
    test::HeadlessListBox runningList(listDescription);

    test::HeadlessFormFactory forms;
    windows::Frm_Test spareWindow({forms, *spareServer});
    test::HeadlessForm& spareForm = *forms.Last(u"Frm_Test");
    windows::Frm_Test coldWindow({forms, *coldServer});
    test::HeadlessForm& coldForm = *forms.Last(u"Frm_Test");

    // The running office loads the file and lists its sheets; in a window, or hidden.
    auto runningLoad = [&](bool hidden) {
        const auto t0 = Clock::now();
        const beans::PropertyValue hiddenLoad[] = {calc::Property("Hidden", uno::Any(true))};
        const uno::Sequence<beans::PropertyValue> asked(hiddenLoad, hidden ? 1 : 0);
        uno::Reference<sheet::XSpreadsheetDocument> document(
            office.Desktop()->loadComponentFromURL(url, "_blank", 0, asked), uno::UNO_QUERY_THROW);
        runningList.Clear();
        for (const auto& name : document->getSheets()->getElementNames())
            runningList.AddItem(std::u16string(reinterpret_cast<const char16_t*>(name.getStr()),
                                               static_cast<size_t>(name.getLength())));
        const double took = MsSince(t0);
        uno::Reference<util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
        return took;
    };

    std::vector<double> spare, shown, hidden, cold;
    // Waits until the offices the windows let go of have ended: each measurement has the machine
    // to itself, as a load in the tool has.
    auto settle = [&] {
        const size_t shownNow = 1 + (spare.empty() ? 0 : 1) + (cold.empty() ? 0 : 1);  // running + windows'
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        auto alive = [&] { return std::ranges::count_if(offices, [](pid_t pid) { return calc::ProcessAlive(pid); }); };
        while (static_cast<size_t>(alive()) > shownNow && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };

    for (auto _ : state) {
        // With the spare ready, and nothing else starting or ending meanwhile.
        if (!spares.WaitBeyond(static_cast<int>(spare.size()))) state.SkipWithError("no spare office");
        settle();
        auto t0 = Clock::now();
        spareForm.List(u"Lst_Item").Drop({spareBook});
        spare.push_back(MsSince(t0));
        if (spareForm.List(u"Lst_Item").ListCount() != 1) state.SkipWithError("spare: not listed");
        if (!spares.WaitBeyond(static_cast<int>(spare.size()))) state.SkipWithError("no spare office");
        settle();

        shown.push_back(runningLoad(false));
        hidden.push_back(runningLoad(true));

        t0 = Clock::now();
        coldForm.List(u"Lst_Item").Drop({coldBook});
        cold.push_back(MsSince(t0));
        if (coldForm.List(u"Lst_Item").ListCount() != 1) state.SkipWithError("cold: not listed");
    }
    state.counters["spare_ms"] = Median(spare);
    state.counters["running_office_ms"] = Median(shown);
    state.counters["running_office_hidden_ms"] = Median(hidden);
    state.counters["cold_start_ms"] = Median(cold);
    state.counters["vs_running_office"] = Median(spare) / Median(shown);
    state.counters["vs_running_office_hidden"] = Median(spare) / Median(hidden);
    state.counters["vs_cold_start"] = Median(spare) / Median(cold);
    // The shown offices are the user's in the tool; here they end with the benchmark.
    for (test::HeadlessForm* form : {&spareForm, &coldForm}) form->Unload();
    for (pid_t pid : offices) kill(pid, SIGTERM);
}
BENCHMARK(BM_ListedWorkbook)->Unit(benchmark::kMillisecond)->Iterations(15);

}  // namespace
}  // namespace tabora
