// Cell values and column letters.
#include "support/FakeExcelErrors.h"
#include "unit/excel/WrapperFixture.h"

namespace tabora::test {
namespace {

struct ColumnCase {
    std::u16string text;
    int32_t number;
};

class ColumnLettersTest : public WrapperFixture, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(ColumnLettersTest, GivesTheColumnNumber) {
    NewWrapper();
    std::u16string column = GetParam().text;
    EXPECT_EQ(wrapper->FncLng_AlphabetToNumber(column), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColumnLettersTest,
    ::testing::Values(ColumnCase{u"A", 1}, ColumnCase{u"Z", 26}, ColumnCase{u"z", 26}, ColumnCase{u" b ", 2},
                      ColumnCase{u"AA", 27}, ColumnCase{u"IV", 256}, ColumnCase{u"ZZ", 702},
                      // Digits are the number they write, whatever their length.
                      ColumnCase{u"7", 7}, ColumnCase{u"12", 12}, ColumnCase{u"100", 100}, ColumnCase{u"05", 5},
                      // Three or more letters have no column arithmetic.
                      ColumnCase{u"ABC", 0}, ColumnCase{u"", 0}, ColumnCase{u"   ", 0}, ColumnCase{u"1A2", 0}));

TEST_F(WrapperFixture, ColumnTextIsLeftTrimmedForTheCaller) {
    NewWrapper();
    std::u16string column = u" b ";
    wrapper->FncLng_AlphabetToNumber(column);
    EXPECT_EQ(column, u"b");
}

TEST_F(WrapperFixture, ShortColumnTextsThatAreNotAllLettersRaiseATypeMismatch) {
    NewWrapper();
    for (std::u16string text : {u"1A", u"A1", u"$", u"A-", u"Ａ", u"%1"}) {
        try {
            wrapper->FncLng_AlphabetToNumber(text);
            ADD_FAILURE() << "accepted a column text with a stray character";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), vb_error::kTypeMismatch);
        }
    }
}

TEST_F(WrapperFixture, ToLongReadsNumbersAndGivesZeroForAnythingElse) {
    NewWrapper();
    EXPECT_EQ(wrapper->toLong(u"42"), 42);
    EXPECT_EQ(wrapper->toLong(u"2.5"), 2);
    EXPECT_EQ(wrapper->toLong(u"3.5"), 4);
    EXPECT_EQ(wrapper->toLong(u"abc"), 0);
    EXPECT_EQ(wrapper->toLong(u"2147483648"), 0);
}

TEST_F(WrapperFixture, ValuesGoToTheActiveSheetAsStringsThroughCellsWithLongIndexes) {
    OpenedWrapper({u"A", u"B"});
    ASSERT_TRUE(wrapper->ActiveSheetName(u"B"));
    excel.ClearCalls();
    std::u16string column = u"B";
    EXPECT_TRUE(wrapper->SetVal(column, 3, u"0123"));
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.ActiveWorkbook", "Workbook.ActiveSheet",
                                        "Worksheet.Cells(3&, 2&)", "Range.Value = \"0123\""}));
    EXPECT_EQ(Book().FindSheet(u"B")->Value(3, 2), Variant(123.0));  // Excel reads it as typed
    EXPECT_EQ(wrapper->GetValue(3, 2), u"123");
}

TEST_F(WrapperFixture, ValuesOfEveryKindReadAsText) {
    OpenedWrapper({u"A"});
    FakeSheet& sheet = *Book().FindSheet(u"A");
    sheet.MutableCell(1, 1).value = Variant(true);
    sheet.MutableCell(1, 2).value = Variant(DateValue{45296});
    sheet.MutableCell(1, 3).value = Variant(CellErrorValue{2042});
    EXPECT_EQ(wrapper->GetValue(1, 1), u"True");
    EXPECT_EQ(wrapper->GetValue(1, 2), u"2024/01/05");
    EXPECT_EQ(wrapper->GetValue(1, 3), u"Error 2042");
    EXPECT_EQ(wrapper->GetValue(1, 4), u"");
}

TEST_F(WrapperFixture, WithoutAWorkbookEveryCellAccessFailsAndReportsOnce) {
    NewWrapper(true);
    std::u16string column = u"A";
    EXPECT_FALSE(wrapper->SetValue(1, 1, u"x"));
    EXPECT_FALSE(wrapper->SetVal(column, 1, u"x"));
    EXPECT_EQ(wrapper->GetValue(1, 1), u"");
    EXPECT_EQ(wrapper->GetVal(column, 1), u"");
    ASSERT_EQ(Boxes().size(), 4u);
    for (const auto& box : Boxes()) EXPECT_EQ(box.text.substr(0, 3), u"91 ");
}

TEST_F(WrapperFixture, AnUnconvertibleColumnIsReportedOnceWithoutCallingExcel) {
    OpenedWrapper({u"A"}, true);
    std::u16string column = u"A$";
    EXPECT_FALSE(wrapper->SetVal(column, 1, u"x"));
    EXPECT_EQ(wrapper->GetVal(column, 1), u"");
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, u"13 型が一致しません。\rTabora");
    EXPECT_TRUE(excel.Calls().empty());
}

TEST_F(WrapperFixture, ColumnZeroGoesToExcelWhichRefusesIt) {
    OpenedWrapper({u"A"}, true);
    std::u16string column = u"ABC";
    EXPECT_FALSE(wrapper->SetVal(column, 1, u"x"));
    EXPECT_EQ(excel.CallTexts().at(2), "Worksheet.Cells(1&, 0&)");
    EXPECT_EQ(Boxes().size(), 1u);
}

}  // namespace
}  // namespace tabora::test
