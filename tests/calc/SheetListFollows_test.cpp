// The sheet list beside a real office: sheets renamed, inserted, moved and deleted in the listed
// workbook show in the list on the office's own word, without the window being activated.
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>

#include <signal.h>

#include <chrono>
#include <thread>

#include "calc/CalcExcelBackend.h"
#include "calc/CalcTestSupport.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/ObjectAccess.h"
#include "platform/calc/UnoText.h"
#include "support/HeadlessForms.h"
#include "support/TestRuntime.h"
#include "windows/Frm_Test.h"

namespace tabora::calc::test {
namespace {
using namespace css;
using Clock = std::chrono::steady_clock;
using Names = std::vector<std::u16string>;

// The Calc server as the tool makes it, which keeps the last application it made for the test
// to reach the listed document. The office that shows it stays for the user when the tool ends;
// here it ends with the test.
class ReachableServer : public AutomationServer {
public:
    explicit ReachableServer(tabora::test::HeadlessEventLoop& events) {
        CalcServerOptions options;
        options.postToUserInterface = [&events](std::function<void()> call) { events.Post(std::move(call)); };
        options.officeStarted = [this](pid_t office) { offices_.push_back(office); };
        server_ = MakeCalcServer(std::move(options));
    }
    ~ReachableServer() override {
        last_.reset();
        server_.reset();
        for (pid_t office : offices_) {
            kill(office, SIGTERM);
            EXPECT_TRUE(GoneWithin(office, std::chrono::seconds(10)));
        }
    }
    ObjectRef CreateApplication() override { return last_ = server_->CreateApplication(); }
    ObjectRef GlobalApplication() override { return server_->GlobalApplication(); }
    std::unique_ptr<SheetWatch> WatchSheets(const ObjectRef& application, std::function<void()> changed) override {
        return server_->WatchSheets(application, std::move(changed));
    }
    uno::Reference<sheet::XSpreadsheets> ListedSheets() {
        return DocumentOf(last_->GetObject(u"ActiveWorkbook"))->getSheets();
    }

private:
    std::vector<pid_t> offices_;
    std::unique_ptr<AutomationServer> server_;
    ObjectRef last_;
};

rtl::OUString OU(std::u16string_view text) { return ToOUString(text); }

struct OfficeChange {
    const char* what;
    std::function<void(const uno::Reference<sheet::XSpreadsheets>&)> change;
    Names listed;
};

TEST(CalcSheetList, FollowsTheOfficesSheetsWithinHalfASecondKeepingTheSelectionByName) {
    tabora::test::TestRuntime runtime;
    tabora::test::CalcExcelBackend files;
    tabora::test::HeadlessFormFactory forms;
    ReachableServer server(runtime.events);
    const std::u16string path = files.MakeWorkbookFile(u"支店.xls", {u"集計", u"大阪", u"東京"});
    windows::Frm_Test window({forms, server});
    window.Show();
    tabora::test::HeadlessForm& form = *forms.Last(u"Frm_Test");
    form.TextBox(u"Txt_Path").SetText(path);
    form.Button(u"Cmd_Get").Press();
    tabora::test::HeadlessListBox& list = form.List(u"Lst_Item");
    ASSERT_EQ(list.Items(), (Names{u"集計", u"大阪", u"東京"}));
    list.ClickItem(1);
    const uno::Reference<sheet::XSpreadsheets> sheets = server.ListedSheets();

    const OfficeChange changes[] = {
        {"rename", [](const auto& s) { uno::Reference<container::XNamed>(s->getByName(OU(u"東京")), uno::UNO_QUERY_THROW)->setName(OU(u"横浜")); },
         {u"集計", u"大阪", u"横浜"}},
        {"insert", [](const auto& s) { s->insertNewByName(OU(u"新規"), 0); }, {u"新規", u"集計", u"大阪", u"横浜"}},
        {"move", [](const auto& s) { s->moveByName(OU(u"大阪"), 4); }, {u"新規", u"集計", u"横浜", u"大阪"}},
        {"delete", [](const auto& s) { s->removeByName(OU(u"集計")); }, {u"新規", u"横浜", u"大阪"}},
        {"delete the selected", [](const auto& s) { s->removeByName(OU(u"大阪")); }, {u"新規", u"横浜"}},
    };
    for (const OfficeChange& step : changes) {
        // From a thread of its own, as the office's word comes when the user changes the sheets.
        std::thread user([&] { step.change(sheets); });
        user.join();
        const auto changed = Clock::now();
        while (list.Items() != step.listed && Clock::now() - changed < std::chrono::milliseconds(500)) {
            runtime.events.DoEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(list.Items(), step.listed) << step.what;
        const auto selected = std::find(step.listed.begin(), step.listed.end(), u"大阪");
        EXPECT_EQ(list.ListIndex(), selected == step.listed.end() ? -1 : selected - step.listed.begin()) << step.what;
        EXPECT_EQ(form.TextBox(u"Txt_SheetName").Text(), u"大阪") << step.what;
    }
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

}  // namespace
}  // namespace tabora::calc::test
