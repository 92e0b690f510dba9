// Borders, fill, copy and paste, merge, rows and columns: each one fixed sequence of calls.
#include "support/FakeExcelErrors.h"
#include "unit/excel/WrapperFixture.h"

namespace tabora::test {
namespace {

const std::string kStart = "Application.ActiveWorkbook|Workbook.ActiveSheet|";

std::string Joined(const Texts& calls) {
    std::string out;
    for (const auto& call : calls) out += call + "|";
    return out;
}

struct Sequence {
    const char* name;
    std::function<void(Cls_ExcelCreate&)> run;
    std::string calls;  // after the common start, each call followed by "|"
};

class RangeSequenceTest : public WrapperFixture, public ::testing::WithParamInterface<Sequence> {};

TEST_P(RangeSequenceTest, MakesExactlyTheseCalls) {
    OpenedWrapper({u"A"});
    GetParam().run(*wrapper);
    EXPECT_EQ(Joined(excel.CallTexts()), kStart + GetParam().calls);
    for (const auto& call : excel.Calls()) EXPECT_EQ(call.error, 0) << call.text;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RangeSequenceTest,
    ::testing::Values(
        Sequence{"CellMergeCornersAreRowColRowCol", [](Cls_ExcelCreate& w) { w.CellMerge(1, 1, 2, 3); },
                 "Worksheet.Cells(1&, 1&)|Worksheet.Cells(2&, 3&)|Worksheet.Range(<Range A1>, <Range C2>)|"
                 "Range.Merge()|"},
        Sequence{"CellCopyCornersAreRowRowColCol", [](Cls_ExcelCreate& w) { w.CellCopy(1, 2, 1, 3); },
                 "Worksheet.Cells(1&, 1&)|Worksheet.Cells(2&, 3&)|Worksheet.Range(<Range A1>, <Range C2>)|"
                 "Range.Copy()|"},
        Sequence{"CellCopyKeepsTheCornersAsGiven", [](Cls_ExcelCreate& w) { w.CellCopy(5, 1, 5, 1); },
                 "Worksheet.Cells(5&, 5&)|Worksheet.Cells(1&, 1&)|Worksheet.Range(<Range E5>, <Range A1>)|"
                 "Range.Copy()|"},
        Sequence{"DrowCellsLineDefaults", [](Cls_ExcelCreate& w) { w.DrowCellsLine(1, 2, 1, 2); },
                 "Worksheet.Cells(1&, 1&)|Worksheet.Cells(2&, 2&)|Worksheet.Range(<Range A1>, <Range B2>)|"
                 "Range.Select()|Application.Selection|Range.Borders(9&)|Border.LineStyle = -4142&|"
                 "Application.Selection|Range.Borders(9&)|Border.Weight = 1&|"},
        Sequence{"DrowCellsLineGiven", [](Cls_ExcelCreate& w) { w.DrowCellsLine(1, 1, 1, 1, 1, 2, 7); },
                 "Worksheet.Cells(1&, 1&)|Worksheet.Cells(1&, 1&)|Worksheet.Range(<Range A1>, <Range A1>)|"
                 "Range.Select()|Application.Selection|Range.Borders(7&)|Border.LineStyle = 1&|"
                 "Application.Selection|Range.Borders(7&)|Border.Weight = 2&|"},
        Sequence{"PaintCellColorDefaults", [](Cls_ExcelCreate& w) { w.PaintCellColor(1, 1, 1, 2); },
                 "Worksheet.Cells(1&, 1&)|Worksheet.Cells(1&, 2&)|Worksheet.Range(<Range A1>, <Range B1>)|"
                 "Range.Select()|Application.Selection|Range.Interior|Interior.ColorIndex = -4105&|"
                 "Application.Selection|Range.Interior|Interior.Pattern = -4105&|"},
        Sequence{"CellPasteDefaultsOnOneCell",
                 [](Cls_ExcelCreate& w) {
                     w.CellCopy(1, 1, 1, 1);
                     w.CellPaste(4, 2);
                 },
                 "Worksheet.Cells(1&, 1&)|Worksheet.Cells(1&, 1&)|Worksheet.Range(<Range A1>, <Range A1>)|"
                 "Range.Copy()|" + kStart +
                     "Worksheet.Cells(4&, 2&)|Worksheet.Cells(4&, 2&)|Worksheet.Range(<Range B4>, <Range B4>)|"
                     "Range.PasteSpecial(-4104&, -4142&, False, False)|"},
        Sequence{"CopyAndInsert_Row", [](Cls_ExcelCreate& w) { w.CopyAndInsert_Row(2, 5, -4121); },
                 "Worksheet.Rows(2&)|Range.Copy()|Worksheet.Rows(5&)|Range.Insert(Shift:=-4121&)|"},
        Sequence{"CopyAndInsert_Col", [](Cls_ExcelCreate& w) { w.CopyAndInsert_Col(1, 3, -4161); },
                 "Worksheet.Columns(1&)|Range.Copy()|Worksheet.Columns(3&)|Range.Insert(Shift:=-4161&)|"},
        Sequence{"DeleteCol", [](Cls_ExcelCreate& w) { w.DeleteCol(3, -4159); },
                 "Worksheet.Columns(3&)|Range.Delete(Shift:=-4159&)|"},
        Sequence{"DeleteRow", [](Cls_ExcelCreate& w) { w.DeleteRow(4, -4162); },
                 "Worksheet.Rows(4&)|Range.Delete(Shift:=-4162&)|"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(WrapperFixture, ARefusedCallEndsTheOperationThereAndReportsOnce) {
    OpenedWrapper({u"A"}, true);
    wrapper->DeleteCol(0, -4159);
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.ActiveWorkbook", "Workbook.ActiveSheet", "Worksheet.Columns(0&)"}));
    EXPECT_EQ(Boxes().size(), 1u);

    excel.ClearCalls();
    excel.FailCall(CallMatcher::On(u"Border", u"Weight"), excel_error::ApplicationDefined());
    wrapper->DrowCellsLine(1, 1, 1, 1, 1, 99, 9);
    EXPECT_EQ(Boxes().size(), 2u);
    // The line style set before the refused weight stays.
    EXPECT_EQ(Book().FindSheet(u"A")->Cell(1, 1).format.borders.at(9).lineStyle, 1);
}

TEST_F(WrapperFixture, WithoutAWorkbookNothingBeyondTheWorkbookIsAsked) {
    NewWrapper();
    excel.ClearCalls();
    wrapper->CellMerge(1, 1, 2, 2);
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.ActiveWorkbook"}));
}

TEST_F(WrapperFixture, EditsChangeTheSheetAsExcelWould) {
    OpenedWrapper({u"A"});
    wrapper->SetValue(1, 1, u"x");
    wrapper->CellCopy(1, 1, 1, 1);
    wrapper->CellPaste(2, 2);
    wrapper->CellMerge(3, 1, 3, 2);
    wrapper->PaintCellColor(1, 1, 1, 1, 6, 1);
    const FakeSheet& sheet = *Book().FindSheet(u"A");
    EXPECT_EQ(sheet.Value(2, 2), Variant(u"x"));
    EXPECT_EQ(sheet.merged, (std::vector<CellArea>{{3, 1, 3, 2}}));
    EXPECT_EQ(sheet.Cell(1, 1).format.colorIndex, 6);
    EXPECT_EQ(sheet.Cell(1, 1).format.pattern, 1);
}

}  // namespace
}  // namespace tabora::test
