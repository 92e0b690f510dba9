// Cells, ranges and their formatting behave as Excel's for the members the wrapper uses.
#include "contract/ExcelContract.h"
#include "support/FakeStrings.h"

namespace tabora::test {
namespace {

struct TypedInput {
    const char16_t* written;
    Variant read;
};

// A string written is read as Excel reads typed input.
TEST_P(CellsContract, StringsAreReadAsTypedInput) {
    NewWorkbook();
    Cell(1, 1)->Put(u"Value", 4.0);
    Cell(2, 1)->Put(u"Value", 6.0);
    const TypedInput cases[] = {
        {u"123", Variant(123.0)},
        {u"-2.5", Variant(-2.5)},
        {u"abc", Variant(u"abc")},
        {u"'123", Variant(u"123")},
        {u"日本語のテキスト", Variant(u"日本語のテキスト")},
        {u"", Variant()},
    };
    for (const auto& c : cases) {
        Cell(5, 2)->Put(u"Value", c.written);
        EXPECT_EQ(Cell(5, 2)->Get(u"Value"), c.read) << ToUtf8(c.written);
    }
}

TEST_P(CellsContract, NumbersBooleansAndDatesKeepTheirType) {
    NewWorkbook();
    const Variant values[] = {Variant(int32_t{42}), Variant(int16_t{7}), Variant(1.25), Variant(true), Variant(false),
                              Variant(DateValue{45000})};
    const Variant expected[] = {Variant(42.0), Variant(7.0), Variant(1.25), Variant(true), Variant(false),
                                Variant(DateValue{45000})};
    for (size_t i = 0; i < std::size(values); ++i) {
        Cell(1, 1)->Put(u"Value", values[i]);
        EXPECT_EQ(Cell(1, 1)->Get(u"Value"), expected[i]) << i;
    }
    EXPECT_EQ(Cell(9, 9)->Get(u"Value"), Variant()) << "an untouched cell is Empty";
}

TEST_P(CellsContract, RangeOfTwoCellsCoversTheRectangleInEitherOrder) {
    NewWorkbook();
    auto sheet = ActiveSheet();
    auto range = sheet->GetObject(u"Range", {Variant(Cell(5, 4)), Variant(Cell(2, 2))});
    EXPECT_EQ(range->Get(u"Row"), Variant(int32_t{2}));
    EXPECT_EQ(range->Get(u"Column"), Variant(int32_t{2}));
    EXPECT_EQ(range->Get(u"Count"), Variant(int32_t{12}));
    range->Put(u"Value", u"x");
    EXPECT_EQ(Cell(5, 4)->Get(u"Value"), Variant(u"x"));
    EXPECT_EQ(Cell(1, 1)->Get(u"Value"), Variant());
}

TEST_P(CellsContract, SelectMakesTheApplicationsSelection) {
    NewWorkbook();
    auto range = ActiveSheet()->GetObject(u"Range", {Variant(Cell(2, 3)), Variant(Cell(4, 5))});
    range->Call(u"Select");
    auto selection = Application()->GetObject(u"Selection");
    EXPECT_EQ(selection->Get(u"Row"), Variant(int32_t{2}));
    EXPECT_EQ(selection->Get(u"Column"), Variant(int32_t{3}));
    EXPECT_EQ(selection->Get(u"Count"), Variant(int32_t{9}));
}

TEST_P(CellsContract, BottomBorderDrawsUnderTheRangeOnly) {
    NewWorkbook();
    auto range = ActiveSheet()->GetObject(u"Range", {Variant(Cell(2, 2)), Variant(Cell(4, 3))});
    range->Call(u"Select");
    auto border = Application()->GetObject(u"Selection")->GetObject(u"Borders", {int32_t{9}});
    border->Put(u"LineStyle", int32_t{1});
    border->Put(u"Weight", int32_t{-4138});
    EXPECT_EQ(border->Get(u"LineStyle"), Variant(int32_t{1}));
    EXPECT_EQ(border->Get(u"Weight"), Variant(int32_t{-4138}));
    // Under the last row, not under every cell, and no other edge.
    EXPECT_EQ(Cell(4, 2)->GetObject(u"Borders", {int32_t{9}})->Get(u"LineStyle"), Variant(int32_t{1}));
    EXPECT_EQ(Cell(2, 2)->GetObject(u"Borders", {int32_t{9}})->Get(u"LineStyle"), Variant(int32_t{-4142}));
    EXPECT_EQ(range->GetObject(u"Borders", {int32_t{8}})->Get(u"LineStyle"), Variant(int32_t{-4142}));
    EXPECT_EQ(range->GetObject(u"Borders", {int32_t{7}})->Get(u"LineStyle"), Variant(int32_t{-4142}));
}

struct BorderCase {
    int32_t index, lineStyle, weight;
};

TEST_P(CellsContract, EveryEdgeStyleAndWeightReadsBackAsWritten) {
    NewWorkbook();
    auto range = ActiveSheet()->GetObject(u"Range", {Variant(Cell(2, 2)), Variant(Cell(3, 3))});
    const BorderCase cases[] = {{7, 1, 2}, {8, -4115, 1}, {9, -4118, 2}, {10, 1, 4}, {11, 4, 2}, {12, 5, 2}, {5, 1, 2}, {6, 1, -4138}};
    for (const auto& c : cases) {
        auto border = range->GetObject(u"Borders", {c.index});
        border->Put(u"LineStyle", c.lineStyle);
        border->Put(u"Weight", c.weight);
        EXPECT_EQ(border->Get(u"LineStyle"), Variant(c.lineStyle)) << c.index;
        EXPECT_EQ(border->Get(u"Weight"), Variant(c.weight)) << c.index;
    }
    // The wrapper's default: no line, then a hairline weight, which draws a continuous hairline.
    auto bottom = range->GetObject(u"Borders", {int32_t{9}});
    bottom->Put(u"LineStyle", int32_t{-4142});
    EXPECT_EQ(bottom->Get(u"LineStyle"), Variant(int32_t{-4142}));
    bottom->Put(u"Weight", int32_t{1});
    EXPECT_EQ(bottom->Get(u"Weight"), Variant(int32_t{1}));
    EXPECT_EQ(ErrorOf([&] { range->Get(u"Borders", {int32_t{13}}); }).Number, 1004);
    EXPECT_EQ(ErrorOf([&] { bottom->Put(u"Weight", int32_t{3}); }).Number, 1004);
}

TEST_P(CellsContract, InteriorColorIndexUsesExcelsPalette) {
    NewWorkbook();
    auto interior = ActiveSheet()->GetObject(u"Range", {Variant(Cell(1, 1)), Variant(Cell(2, 2))})->GetObject(u"Interior");
    for (int32_t index : {1, 3, 6, 15, 36, 56}) {
        interior->Put(u"ColorIndex", index);
        EXPECT_EQ(interior->Get(u"ColorIndex"), Variant(index));
        EXPECT_EQ(interior->Get(u"Pattern"), Variant(int32_t{1}));
    }
    interior->Put(u"Pattern", int32_t{-4142});
    EXPECT_EQ(interior->Get(u"ColorIndex"), Variant(int32_t{-4142}));
    interior->Put(u"ColorIndex", int32_t{6});
    interior->Put(u"ColorIndex", int32_t{-4105});  // automatic: no fill
    EXPECT_EQ(interior->Get(u"ColorIndex"), Variant(int32_t{-4142}));
    EXPECT_EQ(ErrorOf([&] { interior->Put(u"ColorIndex", int32_t{57}); }).Number, 1004);
}

TEST_P(CellsContract, MergeKeepsTheUpperLeftValueOnly) {
    NewWorkbook();
    Cell(1, 1)->Put(u"Value", u"kept");
    Cell(1, 2)->Put(u"Value", u"lost");
    Cell(2, 1)->Put(u"Value", u"lost too");
    ActiveSheet()->GetObject(u"Range", {Variant(Cell(1, 1)), Variant(Cell(2, 3))})->Call(u"Merge");
    EXPECT_EQ(Cell(1, 1)->Get(u"Value"), Variant(u"kept"));
    EXPECT_EQ(Cell(1, 2)->Get(u"Value"), Variant());
    EXPECT_EQ(Cell(2, 1)->Get(u"Value"), Variant());
}

TEST_P(CellsContract, PasteSpecialPastesWhatWasCopiedWithItsOptions) {
    NewWorkbook();
    Cell(1, 1)->Put(u"Value", u"10");
    Cell(1, 2)->Put(u"Value", u"20");
    Cell(1, 3)->Put(u"Value", u"");
    Cell(5, 3)->Put(u"Value", u"keep");
    auto sheet = ActiveSheet();
    sheet->GetObject(u"Range", {Variant(Cell(1, 1)), Variant(Cell(1, 3))})->Call(u"Copy");

    Cell(5, 1)->Call(u"PasteSpecial", {int32_t{-4104}, int32_t{-4142}, false, false});
    EXPECT_EQ(Cell(5, 1)->Get(u"Value"), Variant(10.0));
    EXPECT_EQ(Cell(5, 2)->Get(u"Value"), Variant(20.0));
    EXPECT_EQ(Cell(5, 3)->Get(u"Value"), Variant()) << "a blank pastes as blank";

    Cell(5, 3)->Put(u"Value", u"keep");
    Cell(5, 1)->Call(u"PasteSpecial", {int32_t{-4163}, int32_t{2}, true, false});  // values, add, skip blanks
    EXPECT_EQ(Cell(5, 1)->Get(u"Value"), Variant(20.0));
    EXPECT_EQ(Cell(5, 3)->Get(u"Value"), Variant(u"keep"));

    Cell(8, 1)->Call(u"PasteSpecial", {int32_t{-4163}, int32_t{-4142}, false, true});  // transposed values
    EXPECT_EQ(Cell(8, 1)->Get(u"Value"), Variant(10.0));
    EXPECT_EQ(Cell(9, 1)->Get(u"Value"), Variant(20.0));
    EXPECT_EQ(Cell(8, 2)->Get(u"Value"), Variant());
}

TEST_P(CellsContract, PasteSpecialWithoutACopyIsRefused) {
    NewWorkbook();
    Application()->Put(u"CutCopyMode", false);
    EXPECT_EQ(ErrorOf([&] { Cell(1, 1)->Call(u"PasteSpecial", {int32_t{-4104}, int32_t{-4142}, false, false}); }).Number,
              1004);
}

TEST_P(CellsContract, ACopiedColumnIsInsertedWithItsContents) {
    NewWorkbook();
    for (int32_t c = 1; c <= 3; ++c) Cell(1, c)->Put(u"Value", std::u16string(1, static_cast<char16_t>(u'A' + c - 1)));
    auto sheet = ActiveSheet();
    sheet->GetObject(u"Columns", {int32_t{1}})->Call(u"Copy");
    sheet->GetObject(u"Columns", {int32_t{3}})->Call(u"Insert", {}, {{u"Shift", Variant(int32_t{-4161})}});
    EXPECT_EQ(Cell(1, 1)->Get(u"Value"), Variant(u"A"));
    EXPECT_EQ(Cell(1, 2)->Get(u"Value"), Variant(u"B"));
    EXPECT_EQ(Cell(1, 3)->Get(u"Value"), Variant(u"A"));
    EXPECT_EQ(Cell(1, 4)->Get(u"Value"), Variant(u"C"));
}

TEST_P(CellsContract, ARowCopiedBelowItsInsertPointStillInsertsItsOwnContents) {
    NewWorkbook();
    for (int32_t r = 1; r <= 3; ++r) Cell(r, 1)->Put(u"Value", r * 1.0);
    auto sheet = ActiveSheet();
    sheet->GetObject(u"Rows", {int32_t{3}})->Call(u"Copy");
    sheet->GetObject(u"Rows", {int32_t{1}})->Call(u"Insert", {}, {{u"Shift", Variant(int32_t{-4121})}});
    const double expected[] = {3, 1, 2, 3};
    for (int32_t r = 1; r <= 4; ++r) EXPECT_EQ(Cell(r, 1)->Get(u"Value"), Variant(expected[r - 1])) << r;
    EXPECT_EQ(Application()->Get(u"CutCopyMode"), Variant(false)) << "an insert ends the copy mode";
}

TEST_P(CellsContract, DeletedColumnsAndRowsCloseUp) {
    NewWorkbook();
    for (int32_t i = 1; i <= 3; ++i) {
        Cell(1, i)->Put(u"Value", i * 1.0);
        Cell(i + 1, 1)->Put(u"Value", i * 10.0);
    }
    auto sheet = ActiveSheet();
    sheet->GetObject(u"Columns", {int32_t{2}})->Call(u"Delete", {}, {{u"Shift", Variant(int32_t{-4159})}});
    EXPECT_EQ(Cell(1, 2)->Get(u"Value"), Variant(3.0));
    sheet->GetObject(u"Rows", {int32_t{2}})->Call(u"Delete", {}, {{u"Shift", Variant(int32_t{-4162})}});
    EXPECT_EQ(Cell(2, 1)->Get(u"Value"), Variant(20.0));
    EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Columns", {int32_t{0}}); }).Number, 1004);
}

}  // namespace
}  // namespace tabora::test
