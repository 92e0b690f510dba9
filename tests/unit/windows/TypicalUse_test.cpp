// One typical use from start to close: drop, load, list, search, switch, duplicate, close.
#include "app/mdl_All.h"
#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"
#include "support/HeadlessForms.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

#include <gtest/gtest.h>

namespace tabora::test {
namespace {

class NoOtherInstance : public platform::InstanceLock {
public:
    bool IsAnotherInstanceRunning() override { return false; }
};

TEST(TypicalUse, DropSearchSwitchDuplicateAndCloseWithTheWorkbookLeftToTheUser) {
    TestRuntime runtime;
    TempDir folder;
    FakeExcel excel;
    HeadlessFormFactory forms;
    NoOtherInstance lock;
    const std::u16string path = folder.File(u"売上.xls");
    WriteWorkbookFile(path, {{u"表紙", false, {}}, {u"Jan", false, {{1, 1, Variant(u"売上")}}}, {u"Feb", false, {}}});

    auto window = mdl_All::Main(lock, {forms, excel});
    HeadlessForm& main = *forms.Last(u"Frm_Test");

    // 1-3: the file dropped on the list is loaded and its worksheets listed.
    main.List(u"Lst_Item").Drop({path});
    EXPECT_EQ(main.TextBox(u"Txt_Path").Text(), path);
    EXPECT_EQ(main.List(u"Lst_Item").Items(), (std::vector<std::u16string>{u"表紙", u"Jan", u"Feb"}));
    FakeInstance& instance = excel.Instance(1);
    EXPECT_TRUE(instance.Visible());

    // 4: the beginning of a name and Enter, then Enter again.
    HeadlessTextBox& name = main.TextBox(u"Txt_SheetName");
    name.PressKey('J');
    name.Type(u"J");
    EXPECT_EQ(name.PressKey(13), 13);
    EXPECT_EQ(name.Text(), u"Jan");
    EXPECT_EQ(name.PressKey(13), 0);
    EXPECT_EQ(instance.ActiveWorkbook()->activeSheet->name, u"Jan");

    // 5: three copies of it.
    forms.OnModal(u"Frm_More", [&runtime](HeadlessForm& dialog) {
        dialog.TextBox(u"Txt_NewSheets").Paste(u"Jan-A\r\nJan-B\r\nJan-C");
        runtime.boxes.Answer(platform::button::kYes);
        dialog.Button(u"Cmd_Copy").Press();
    });
    main.Button(u"Cmd_Open").Press();
    const std::vector<std::u16string> expected{u"表紙", u"Jan", u"Feb", u"Jan-A", u"Jan-B", u"Jan-C"};
    EXPECT_EQ(instance.ActiveWorkbook()->SheetNames(), expected);
    EXPECT_EQ(main.List(u"Lst_Item").Items(), expected);
    EXPECT_EQ(instance.ActiveWorkbook()->FindSheet(u"Jan-B")->Value(1, 1), Variant(u"売上"));
    EXPECT_EQ(runtime.boxes.Shown().back().text, u"全て完了しました。");

    // 6: the window closes; the spreadsheet stays open and visible with the workbook.
    main.Unload();
    window.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    EXPECT_TRUE(instance.Visible());
    EXPECT_EQ(instance.Workbooks().size(), 1u);
    EXPECT_EQ(excel.LiveReferences(), 0);
}

}  // namespace
}  // namespace tabora::test
