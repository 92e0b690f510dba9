// What only a real office shows the wrapper: formulas are calculated, and an office that dies in
// the middle of the work turns into False results, not a crash.
#include <gtest/gtest.h>
#include <signal.h>

#include <thread>

#include "calc/CalcExcelBackend.h"
#include "excel/Cls_ExcelCreate.h"
#include "support/HeadlessControls.h"
#include "support/TestRuntime.h"

namespace tabora::test {
namespace {

class CalcWrapper : public ::testing::Test {
protected:
    TestRuntime runtime;
    CalcExcelBackend backend;
};

TEST_F(CalcWrapper, FormulasAreCalculated) {
    auto path = backend.MakeWorkbookFile(u"Formulas.xls", {u"Sheet1"});
    Cls_ExcelCreate excel(backend.Server());
    excel.MsgDisplayFlg_Prop(false);
    ASSERT_TRUE(excel.FileOpen(path));
    excel.SetValue(1, 1, u"21");
    excel.SetValue(1, 2, u"=A1*2");
    excel.SetValue(1, 3, u"=SUM(A1,B1)");
    EXPECT_EQ(excel.GetValue(1, 2), u"42");
    EXPECT_EQ(excel.GetValue(1, 3), u"63");
}

TEST_F(CalcWrapper, AnOfficeKilledInTheMiddleOfCopyingGivesFalseAndNoCrash) {
    auto path = backend.MakeWorkbookFile(u"Killed.xls", {u"Base"});
    auto excel = std::make_unique<Cls_ExcelCreate>(backend.Server());
    excel->MsgDisplayFlg_Prop(false);
    ASSERT_TRUE(excel->FileOpen(path));
    auto offices = backend.RunningOffices();
    ASSERT_EQ(offices.size(), 1u);
    std::thread killer([pid = offices[0]] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(pid, SIGKILL);
    });
    int copies = 0;
    bool failed = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!failed && std::chrono::steady_clock::now() < deadline) {
        failed = !excel->SheetCopy(u"Base", u"Copy " + std::u16string(1, static_cast<char16_t>(u'A' + copies % 26)) +
                                                 std::u16string(1, static_cast<char16_t>(u'A' + copies / 26)));
        ++copies;
    }
    killer.join();
    EXPECT_TRUE(failed) << "copying stopped with False";
    EXPECT_GT(copies, 1) << "copies were made before the office died";
    platform::ControlDescription description;
    description.kind = platform::ControlKind::ListBox;
    HeadlessListBox list(description);
    EXPECT_FALSE(excel->SetSheetNames(list));
    EXPECT_FALSE(excel->ActiveSheetName(u"Base"));
    EXPECT_EQ(excel->GetValue(1, 1), u"");
    EXPECT_TRUE(runtime.boxes.Shown().empty());
    excel.reset();
    EXPECT_EQ(backend.RunningInstancesOnceAt(0), 0);
}

TEST_F(CalcWrapper, WithMessagesOnAServerErrorIsShownWithTheServersSource) {
    auto path = backend.MakeWorkbookFile(u"Shown.xls", {u"Base"});
    Cls_ExcelCreate excel(backend.Server());
    ASSERT_TRUE(excel.FileOpen(path));
    EXPECT_FALSE(excel.SheetCopy(u"Base", u"bad/name"));
    ASSERT_EQ(runtime.boxes.Shown().size(), 1u);
    EXPECT_EQ(runtime.boxes.Shown()[0].title, u"VB Error");
    EXPECT_EQ(runtime.boxes.Shown()[0].text.substr(0, 5), u"1004 ");
    EXPECT_NE(runtime.boxes.Shown()[0].text.find(u"\rLibreOffice Calc"), std::u16string::npos);
}

}  // namespace
}  // namespace tabora::test
