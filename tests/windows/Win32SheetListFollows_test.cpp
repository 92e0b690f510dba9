// The sheet list window on native windows follows the listed workbook: a sheet the user renamed
// and one added in the application show in the list once the user comes back to the window.
#include <gtest/gtest.h>

#include "platform/win32/Win32Form.h"
#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"
#include "support/TempDir.h"
#include "windows/Frm_Test.h"
#include "windows/Win32ControlSet.h"
#include "windows/Win32WindowRuntime.h"

namespace tabora::test {
namespace {

std::vector<std::u16string> Entries(platform::ListBox& list) {
    std::vector<std::u16string> entries;
    for (int32_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    return entries;
}

TEST(Win32SheetListFollows, ComingBackFromTheApplicationBringsTheListUpToDate) {
    Win32WindowRuntime runtime;
    TempDir folder;
    const std::u16string path = folder.File(u"売上.xls");
    WriteWorkbookFile(path, {{u"集計", false, {}}, {u"大阪", false, {}}, {u"東京", false, {}}});

    Win32ControlSet set;
    FakeExcel excel;
    windows::Frm_Test window({set.Forms(), excel});
    set.Show(window.Form());
    window.Form().TextBoxNamed(u"Txt_Path").SetText(path);
    set.Press(window.Form().PictureButtonNamed(u"Cmd_Get"));
    platform::ListBox& list = window.Form().ListBoxNamed(u"Lst_Item");
    set.ClickItem(list, 1);
    ASSERT_EQ(Entries(list), (std::vector<std::u16string>{u"集計", u"大阪", u"東京"}));

    const std::shared_ptr<FakeWorkbook> book = excel.Instance(1).ActiveWorkbook();
    book->FindSheet(u"東京")->name = u"横浜";
    auto added = std::make_shared<FakeSheet>();
    added->name = u"新規";
    added->workbook = book.get();
    book->sheets.insert(book->sheets.begin(), added);
    set.ActivateFromAnotherApplication(window.Form());

    EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"新規", u"集計", u"大阪", u"横浜"}));
    EXPECT_EQ(list.Text(), u"大阪") << "the selection stays by name";
    EXPECT_EQ(window.Form().TextBoxNamed(u"Txt_SheetName").Text(), u"大阪");
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

}  // namespace
}  // namespace tabora::test
