// What only the Calc server can show of cells: formulas are evaluated (the in-memory Excel keeps
// a formula as its text and does not evaluate it).
#include "calc/CalcTestSupport.h"
#include "excel/ExcelTexts.h"

namespace tabora::calc::test {
namespace {

class CalcCells : public OfficeSuite {};

TEST_F(CalcCells, FormulasWrittenAsTextAreEvaluated) {
    NewWorkbook();
    Cell(1, 1)->Put(u"Value", 4.0);
    Cell(2, 1)->Put(u"Value", 6.0);
    const std::pair<const char16_t*, Variant> cases[] = {
        {u"=1+2", Variant(3.0)},
        {u"=SUM(A1,A2)", Variant(10.0)},
        {u"=IF(A1>3,\"big, really\",\"small\")", Variant(u"big, really")},
        {u"=1/0", Variant(CellErrorValue{2007})},
        {u"=NA()", Variant(CellErrorValue{2042})},
    };
    for (const auto& [written, read] : cases) {
        Cell(5, 2)->Put(u"Value", written);
        EXPECT_EQ(Cell(5, 2)->Get(u"Value"), read) << Utf8(written);
    }
}

TEST_F(CalcCells, APastedFormulaFollowsItsNewPlace) {
    NewWorkbook();
    Cell(1, 1)->Put(u"Value", u"10");
    Cell(1, 2)->Put(u"Value", u"=A1*2");
    ActiveSheet()->GetObject(u"Range", {Variant(Cell(1, 1)), Variant(Cell(1, 2))})->Call(u"Copy");
    Cell(5, 1)->Call(u"PasteSpecial", {int32_t{-4104}, int32_t{-4142}, false, false});
    Cell(5, 1)->Put(u"Value", u"7");
    EXPECT_EQ(Cell(5, 2)->Get(u"Value"), Variant(14.0)) << "=A5*2";
}

// What the office says of a call it refuses names its own source files: the user sees Excel's
// words instead.
TEST_F(CalcCells, ARefusalOfTheOfficeIsToldInExcelsWords) {
    NewWorkbook();
    const ErrorRecord error = ErrorOf([&] { ActiveSheet()->Get(u"Range", {u"no such range"}); });
    EXPECT_EQ(error.Number, 1004);
    EXPECT_EQ(error.Description, excel::MethodFailedText(u"_Worksheet", u"Range")) << Utf8(error.Description);
}

}  // namespace
}  // namespace tabora::calc::test
