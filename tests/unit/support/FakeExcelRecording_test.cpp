#include "support/FakeExcelErrors.h"
#include "unit/support/FakeExcelFixture.h"

namespace tabora::test {
namespace {

using FakeExcelRecording = FakeExcelFixture;

TEST_F(FakeExcelRecording, RecordsEachCallWithItsArgumentTypesAndNamedArguments) {
    Open({u"Sheet1", u"Sheet2"});
    excel.ClearCalls();
    ObjectRef sheets = book->GetObject(u"Worksheets");
    ObjectRef last = sheets->GetObject(u"Item", {sheets->Get(u"Count")});
    sheets->GetObject(u"item", {int16_t{1}})->Call(u"Copy", {}, {{u"After", last}});
    app->Put(u"Visible", true);
    sheets->Enumerate();
    app->Call(u"GetOpenFilename", {u"Excelファイル (*.xls), *.xls", Variant::Missing(), u"Excelファイル", Variant::Missing(), false});

    EXPECT_EQ(excel.CallTexts(),
              (std::vector<std::string>{"Workbook.Worksheets", "Worksheets.Count", "Worksheets.Item(2&)", "Worksheets.item(1%)",
                            "Worksheet.Copy(After:=<Worksheet \"Sheet2\">)", "Application.Visible = True",
                            "Worksheets._NewEnum",
                            "Application.GetOpenFilename(\"Excelファイル (*.xls), *.xls\", , \"Excelファイル\", , False)"}));
    const RecordedCall& copy = excel.Calls()[4];
    EXPECT_EQ(copy.instance, 1);
    EXPECT_EQ(copy.objectKind, u"Worksheet");
    EXPECT_EQ(copy.kind, InvokeKind::Method);
    EXPECT_EQ(copy.locale, kExcelLocale);
    ASSERT_EQ(copy.named.size(), 1u);
    EXPECT_EQ(copy.named[0].name, u"After");
    EXPECT_EQ(copy.named[0].value.Type(), VariantType::Object);
    EXPECT_EQ(excel.Calls()[2].args.at(0).Type(), VariantType::Long);
    EXPECT_EQ(excel.Calls()[3].args.at(0).Type(), VariantType::Integer);
    EXPECT_EQ(excel.Calls()[5].kind, InvokeKind::PropertyPut);
}

TEST_F(FakeExcelRecording, TheLogHoldsNoObjectAlive) {
    Open({u"A", u"B"});
    ObjectRef a = Sheet(u"A");
    Sheet(u"B")->Call(u"Copy", {}, {{u"After", a}});
    a.reset();
    EXPECT_EQ(excel.LiveReferences(), 2);
}

TEST_F(FakeExcelRecording, AFailedCallIsRecordedWithItsError) {
    Open({u"A"});
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Missing"); }), vb_error::kSubscriptOutOfRange);
    EXPECT_EQ(excel.Calls().back().error, vb_error::kSubscriptOutOfRange);
    EXPECT_EQ(excel.Calls().back().text, "Sheets.Item(\"Missing\")");
}

TEST_F(FakeExcelRecording, AnInjectedFailureRaisesTheRecordAndChangesNothing) {
    Open({u"A", u"B"});
    const ErrorRecord refused{1004, u"refused", u"Microsoft Excel"};
    excel.FailCall(CallMatcher::On(u"Worksheet", u"name").OfKind(InvokeKind::PropertyPut), refused);
    ObjectRef a = Sheet(u"A");
    try {
        a->Put(u"Name", u"C");
        FAIL() << "the put went through";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record(), refused);
    }
    EXPECT_EQ(a->Get(u"Name"), Variant(u"A"));  // a read of the same member still works
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"A", u"B"}));
    excel.ClearFailures();
    a->Put(u"Name", u"C");
    EXPECT_EQ(Book().sheets[0]->name, u"C");
}

TEST_F(FakeExcelRecording, AFailureCanTargetTheNthMatchingCallOnly) {
    Open({u"A", u"B", u"C"});
    excel.FailCall(CallMatcher::On(u"Worksheet", u"Delete").Nth(2), excel_error::ApplicationDefined());
    EXPECT_EQ(ErrorOf([&] { Sheet(u"A")->Call(u"Delete"); }), 0);
    EXPECT_EQ(ErrorOf([&] { Sheet(u"B")->Call(u"Delete"); }), 1004);
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"B", u"C"}));
    EXPECT_EQ(ErrorOf([&] { Sheet(u"B")->Call(u"Delete"); }), 0);
}

TEST_F(FakeExcelRecording, FailEverythingMakesADeadServerAndCreationCanFailToo) {
    Open({u"A"});
    excel.FailEverything(excel_error::Disconnected());
    EXPECT_EQ(ErrorOf([&] { app->Get(u"Workbooks"); }), excel_error::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { Sheets(); }), excel_error::kDisconnected);
    excel.FailCreateApplication(excel_error::ExcelNotInstalled());
    EXPECT_EQ(ErrorOf([&] { excel.CreateApplication(); }), 429);
    excel.ClearFailures();
    EXPECT_NE(excel.CreateApplication(), nullptr);
}

TEST(FakeExcelOpenDialog, AnswersFromTheScriptThenCancelsWithBooleanFalse) {
    FakeExcel excel;
    excel.AnswerOpenFilename(u"C:\\x.xls");
    excel.AnswerOpenFilename(u"False");
    ObjectRef global = excel.GlobalApplication();
    EXPECT_EQ(global->Call(u"GetOpenFilename"), Variant(u"C:\\x.xls"));
    EXPECT_EQ(excel.GlobalApplication()->Call(u"GetOpenFilename"), Variant(u"False"));
    EXPECT_EQ(global->Call(u"GetOpenFilename"), Variant(false));
    EXPECT_EQ(excel.Calls().at(0).instance, 0);
    EXPECT_EQ(ToUtf8(excel.Members().at(0)), "GetOpenFilename");
    EXPECT_THROW(global->Call(u"GetOpenFilename", {}, {{u"NoSuchArgument", 1}}), RuntimeError);
}

TEST_F(FakeExcelRecording, UnknownMembersAndWrongArgumentsRaiseTheAutomationErrors) {
    Open({u"A"});
    EXPECT_EQ(ErrorOf([&] { app->Get(u"NoSuchThing"); }), vb_error::kMemberNotFound);
    EXPECT_EQ(ErrorOf([&] { Sheets()->Put(u"Count", 3); }), vb_error::kMemberNotFound);
    EXPECT_EQ(ErrorOf([&] { app->Get(u"Visible", {1}); }), excel_error::kWrongArgumentCount);
    EXPECT_EQ(ErrorOf([&] { Sheet(u"A")->Call(u"Copy", {}, {{u"Afterwards", 1}}); }), excel_error::kNamedArgumentNotFound);
    EXPECT_EQ(ErrorOf([&] { Sheets()->Get(u"Item"); }), excel_error::kArgumentNotOptional);
}

}  // namespace
}  // namespace tabora::test
