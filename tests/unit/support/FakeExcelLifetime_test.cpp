#include "support/AutomationCalls.h"
#include "support/FakeExcelErrors.h"
#include "unit/support/FakeExcelFixture.h"

namespace tabora::test {
namespace {

using FakeExcelLifetime = FakeExcelFixture;

TEST_F(FakeExcelLifetime, EveryObjectHandedOutIsCountedUntilReleased) {
    Open({u"A", u"B"});
    EXPECT_EQ(excel.LiveReferences(), 2);  // app and book
    {
        ObjectRef sheet = Sheet(int16_t{1});
        ObjectRef same = Sheet(int16_t{1});
        ObjectRef cell = Cell(sheet, 1, 1);
        std::vector<Variant> all = Sheets()->Enumerate();
        EXPECT_EQ(excel.LiveReferences(), 7);
        EXPECT_EQ(excel.LiveReferences(1), 7);
    }
    book.reset();
    EXPECT_EQ(excel.LiveReferences(), 1);
}

TEST_F(FakeExcelLifetime, AHiddenInstanceEndsWithItsLastReference) {
    Open({u"A"});
    book.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    app.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 0);
    EXPECT_TRUE(State().ended);
    EXPECT_TRUE(State().Workbooks().empty());
    EXPECT_FALSE(State().quitCalled);
}

TEST_F(FakeExcelLifetime, AnInstanceOnceShownStaysForTheUserEvenIfHiddenAgain) {
    Open({u"A"});
    app->Put(u"Visible", true);
    app->Put(u"Visible", false);
    book.reset();
    app.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    EXPECT_EQ(State().Workbooks().size(), 1u);
    EXPECT_EQ(excel.LiveReferences(), 0);
}

TEST_F(FakeExcelLifetime, AnyObjectKeepsTheInstanceAliveNotOnlyTheApplication) {
    Open({u"A"});
    ObjectRef sheet = Sheet(u"A");
    app.reset();
    book.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    EXPECT_EQ(ToUtf8(sheet->Get(u"Name").AsString()), "A");
    sheet.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 0);
}

TEST_F(FakeExcelLifetime, EachCreationIsANewHiddenInstanceWithExcelsDefaults) {
    ObjectRef first = excel.CreateApplication();
    ObjectRef second = excel.CreateApplication();
    EXPECT_EQ(excel.RunningInstanceCount(), 2);
    for (const ObjectRef& application : {first, second}) {
        EXPECT_EQ(application->Get(u"Visible"), Variant(false));
        EXPECT_EQ(application->Get(u"DisplayAlerts"), Variant(true));
        EXPECT_EQ(application->Get(u"SheetsInNewWorkbook"), Variant(int32_t{3}));
    }
    first->Get(u"Workbooks").AsObject()->Call(u"Add");
    EXPECT_EQ(excel.Instance(1).Workbooks().size(), 1u);
    EXPECT_TRUE(excel.Instance(2).Workbooks().empty());
}

TEST_F(FakeExcelLifetime, QuitEndsTheInstanceAndLaterCallsFailAsDisconnected) {
    Open({u"A"});
    ObjectRef sheet = Sheet(int16_t{1});
    app->Call(u"Quit");
    EXPECT_TRUE(State().quitCalled);
    EXPECT_EQ(excel.RunningInstanceCount(), 0);
    EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Name"); }), excel_error::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { app->Get(u"Workbooks"); }), excel_error::kDisconnected);
    // Number, text and source as the COM layer gives them for an Excel the user closed.
    EXPECT_EQ(test::ErrorOf([&] { app->Get(u"Visible"); }), vb_error::Raise(vb_error::kObjectDisconnected).Record());
}

TEST_F(FakeExcelLifetime, ObjectsOfClosedWorkbooksAndDeletedSheetsReportAnAutomationError) {
    Open({u"A", u"B"});
    ObjectRef a = Sheet(u"A");
    ObjectRef cell = Cell(a, 1, 1);
    a->Call(u"Delete");
    EXPECT_EQ(ErrorOf([&] { a->Get(u"Name"); }), excel_error::kObjectDeleted);
    EXPECT_EQ(ErrorOf([&] { cell->Put(u"Value", u"x"); }), excel_error::kObjectDeleted);
    book->Call(u"Close", {false});  // changed: Excel would ask otherwise
    EXPECT_EQ(ErrorOf([&] { book->Get(u"Name"); }), excel_error::kObjectDeleted);
    EXPECT_EQ(app->Get(u"ActiveWorkbook"), Variant(ObjectRef()));
}

TEST(FakeExcelServer, GlobalApplicationIsKeptAndNotCountedAsAReferenceOrInstance) {
    FakeExcel excel;
    {
        ObjectRef global = excel.GlobalApplication();
        EXPECT_EQ(excel.LiveReferences(), 1);
    }
    EXPECT_EQ(excel.LiveReferences(), 0);
    EXPECT_EQ(excel.RunningInstanceCount(), 0);
    EXPECT_FALSE(excel.Instance(0).ended);
}

TEST(FakeExcelServer, ObjectsMayOutliveTheServer) {
    ObjectRef app;
    {
        FakeExcel excel;
        app = excel.CreateApplication();
    }
    app->Get(u"Workbooks").AsObject()->Call(u"Add");
    EXPECT_EQ(app->Get(u"ActiveWorkbook").AsObject()->Get(u"Name"), Variant(u"Book1"));
}

}  // namespace
}  // namespace tabora::test
