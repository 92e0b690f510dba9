// Workbooks: none, added, counted, as Excel's are.
#include "contract/ExcelContract.h"

namespace tabora::test {
namespace {

TEST_P(WorkbooksContract, NoActiveWorkbookIsNothing) {
    Variant active = Application()->Get(u"ActiveWorkbook");
    ASSERT_EQ(active.Type(), VariantType::Object);
    EXPECT_EQ(ErrorOf([&] { active.AsObject(); }).Number, 91) << "Nothing";
    EXPECT_EQ(Application()->GetObject(u"Workbooks")->Get(u"Count"), Variant(int32_t{0}));
}

TEST_P(WorkbooksContract, AddMakesSheetsInNewWorkbookSheetsAndBecomesActive) {
    auto app = Application();
    app->Put(u"SheetsInNewWorkbook", int32_t{1});
    EXPECT_EQ(app->Get(u"SheetsInNewWorkbook"), Variant(int32_t{1}));
    auto one = app->GetObject(u"Workbooks")->Call(u"Add").AsObject();
    EXPECT_EQ(WorksheetNamesOf(one), (std::vector<std::u16string>{u"Sheet1"}));
    app->Put(u"SheetsInNewWorkbook", int32_t{4});
    auto four = app->GetObject(u"Workbooks")->Call(u"Add").AsObject();
    EXPECT_EQ(WorksheetNamesOf(four), (std::vector<std::u16string>{u"Sheet1", u"Sheet2", u"Sheet3", u"Sheet4"}));
    EXPECT_EQ(app->GetObject(u"ActiveWorkbook")->Get(u"Name"), four->Get(u"Name"));
    EXPECT_EQ(app->GetObject(u"Workbooks")->Get(u"Count"), Variant(int32_t{2}));
    EXPECT_EQ(ErrorOf([&] { app->Put(u"SheetsInNewWorkbook", int32_t{0}); }).Number, 1004);
}

}  // namespace
}  // namespace tabora::test
