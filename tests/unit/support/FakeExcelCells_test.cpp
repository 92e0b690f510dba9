#include "support/FakeCellEditing.h"
#include "support/FakeCellInput.h"
#include "unit/support/FakeExcelFixture.h"

namespace tabora::test {
namespace {

class FakeExcelCells : public FakeExcelFixture {
protected:
    void SetUp() override {
        Open({u"S", u"T"});
        sheet = Sheet(u"S");
    }
    FakeSheet& Data() { return *Book().FindSheet(u"S"); }
    ObjectRef At(const char16_t* address) { return sheet->GetObject(u"Range", {address}); }
    void Put(const char16_t* address, Variant value) { At(address)->Put(u"Value", std::move(value)); }
    Variant Get(int32_t row, int32_t col) { return Data().Value(row, col); }
    ObjectRef sheet;
};

struct InputCase {
    Variant written;
    Variant stored;
};

class TypedInput : public FakeExcelCells, public ::testing::WithParamInterface<InputCase> {};

TEST_P(TypedInput, TextIsReadAsExcelReadsTypedInput) {
    Cell(sheet, 2, 2)->Put(u"Value", GetParam().written);
    EXPECT_EQ(Cell(sheet, 2, 2)->Get(u"Value"), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedInput,
    ::testing::Values(InputCase{u"12", 12.0}, InputCase{u" -3.5 ", -3.5}, InputCase{u"1e3", 1000.0},
                      InputCase{u"50%", 0.5}, InputCase{u"TRUE", true}, InputCase{u"false", false},
                      InputCase{u"'12", u"12"}, InputCase{u"abc", u"abc"}, InputCase{u"1.2.3", u"1.2.3"},
                      InputCase{u"", Variant()}, InputCase{u"=A1+1", u"=A1+1"}, InputCase{u"-", u"-"},
                      InputCase{u"2024/1/2", DateValue{45293}}, InputCase{u"2024-02-30", u"2024-02-30"},
                      InputCase{int16_t{7}, 7.0}, InputCase{int32_t{7}, 7.0}, InputCase{true, true},
                      InputCase{Variant::Null(), Variant()}));

TEST_F(FakeExcelCells, AFormulaIsKeptAsItsText) {
    Put(u"A1", u"=SUM(B1:B2)");
    EXPECT_EQ(Data().Cell(1, 1).formula, u"=SUM(B1:B2)");
}

struct CellsCase {
    Variant row;
    Variant col;
    int32_t error;
};

class CellAddressing : public FakeExcelCells, public ::testing::WithParamInterface<CellsCase> {};

TEST_P(CellAddressing, StaysWithinTheSheetOfAnXlsWorkbook) {
    EXPECT_EQ(ErrorOf([&] { sheet->GetObject(u"Cells", {GetParam().row, GetParam().col}); }), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Table, CellAddressing,
                         ::testing::Values(CellsCase{1, 1, 0}, CellsCase{65536, 256, 0}, CellsCase{int16_t{3}, int16_t{2}, 0},
                                           CellsCase{0, 1, 1004}, CellsCase{1, 0, 1004}, CellsCase{65537, 1, 1004},
                                           CellsCase{1, 257, 1004}, CellsCase{-1, -1, 1004}, CellsCase{1, u"IV", 0},
                                           CellsCase{1, u"IW", 1004}, CellsCase{u"x", 1, 13}));

TEST_F(FakeExcelCells, RangeSpansTheTwoCornersInEitherOrder) {
    ObjectRef range = sheet->GetObject(u"Range", {Cell(sheet, 5, 5), Cell(sheet, 1, 2)});
    EXPECT_EQ(range->Get(u"Address"), Variant(u"$B$1:$E$5"));
    EXPECT_EQ(ErrorOf([&] { sheet->GetObject(u"Range", {Cell(Sheet(u"T"), 1, 1), Cell(sheet, 1, 1)}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { range->Get(u"Value"); }), 1004);  // arrays are not modelled
    range->Put(u"Value", u"7");
    EXPECT_EQ(Get(5, 2), Variant(7.0));
    EXPECT_EQ(Get(1, 1), Variant());
}

TEST_F(FakeExcelCells, OnlyCellsOfTheSheetInFrontCanBeSelected) {
    ObjectRef range = sheet->GetObject(u"Range", {Cell(sheet, 2, 2), Cell(sheet, 3, 4)});
    range->Call(u"Select");
    EXPECT_EQ(app->GetObject(u"Selection")->Get(u"Address"), Variant(u"$B$2:$D$3"));
    Sheet(u"T")->Call(u"Activate");
    EXPECT_EQ(ErrorOf([&] { Cell(sheet, 1, 1)->Call(u"Select"); }), 1004);
    EXPECT_EQ(app->GetObject(u"Selection")->Get(u"Address"), Variant(u"$A$1"));  // T's own selection
    EXPECT_EQ(Data().selection, (CellArea{2, 2, 3, 4}));
}

TEST_F(FakeExcelCells, BordersOfTheSelectionDrawTheEdgeOfTheRangeOnly) {
    At(u"B2:C3")->Call(u"Select");
    app->GetObject(u"Selection")->GetObject(u"Borders", {int32_t{9}})->Put(u"LineStyle", int32_t{1});
    app->GetObject(u"Selection")->GetObject(u"Borders", {int32_t{9}})->Put(u"Weight", int32_t{-4138});
    app->GetObject(u"Selection")->GetObject(u"Borders", {int32_t{7}})->Put(u"LineStyle", int32_t{-4115});
    const BorderFormat drawn{1, -4138};
    EXPECT_EQ(CellBorder(Data(), {3, 2}, 9), drawn);
    EXPECT_EQ(CellBorder(Data(), {3, 3}, 9), drawn);
    EXPECT_EQ(CellBorder(Data(), {2, 2}, 9), BorderFormat{});
    EXPECT_EQ(CellBorder(Data(), {4, 2}, 8), drawn);  // the same line seen from below
    EXPECT_EQ(CellBorder(Data(), {2, 1}, 10).lineStyle, -4115);
    EXPECT_EQ(At(u"B2:C3")->GetObject(u"Borders", {int32_t{9}})->Get(u"Weight"), Variant(int32_t{-4138}));
    EXPECT_EQ(At(u"B1:B3")->GetObject(u"Borders", {int32_t{7}})->Get(u"LineStyle"), Variant::Null());
    EXPECT_EQ(ErrorOf([&] { At(u"A1")->GetObject(u"Borders", {int32_t{13}}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { At(u"A1")->GetObject(u"Borders", {int32_t{9}})->Put(u"Weight", int32_t{3}); }), 1004);
}

TEST_F(FakeExcelCells, InsideLinesAndTheWholeCollectionReachEveryLineOfTheRange) {
    At(u"A1:B3")->GetObject(u"Borders", {int32_t{12}})->Put(u"LineStyle", int32_t{1});
    EXPECT_EQ(CellBorder(Data(), {1, 1}, 9).lineStyle, 1);
    EXPECT_EQ(CellBorder(Data(), {3, 2}, 8).lineStyle, 1);
    EXPECT_EQ(CellBorder(Data(), {3, 2}, 9).lineStyle, -4142);  // the bottom edge is no inside line
    At(u"D1:E2")->GetObject(u"Borders")->Put(u"Weight", int32_t{4});
    for (int32_t index : {7, 8, 9, 10, 11, 12}) {
        EXPECT_EQ(At(u"D1:E2")->GetObject(u"Borders", {index})->Get(u"Weight"), Variant(int32_t{4})) << index;
    }
    EXPECT_EQ(At(u"D1:E2")->GetObject(u"Borders")->Get(u"Weight"), Variant(int32_t{4}));
}

TEST_F(FakeExcelCells, InteriorTakesExcelsColourIndexesAndPatternsOnly) {
    ObjectRef interior = At(u"A1:B1")->GetObject(u"Interior");
    interior->Put(u"ColorIndex", int32_t{-4105});
    interior->Put(u"Pattern", int32_t{1});
    EXPECT_EQ(ErrorOf([&] { interior->Put(u"ColorIndex", int32_t{57}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { interior->Put(u"Pattern", int32_t{2}); }), 1004);
    EXPECT_EQ(Data().Cell(1, 2).format.colorIndex, excel::xl::kNone) << "automatic is no fill";
    EXPECT_EQ(Data().Cell(1, 2).format.pattern, 1);
    EXPECT_EQ(At(u"A1:C1")->GetObject(u"Interior")->Get(u"Pattern"), Variant::Null());
}

struct PasteCase {
    const char* what;
    std::vector<Variant> args;
    std::vector<std::pair<const char16_t*, Variant>> expected;  // cell -> value
    int32_t colorIndexAtB2;
};

class PasteSpecial : public FakeExcelCells, public ::testing::WithParamInterface<PasteCase> {};

// Source A1:B1 = 1, (blank); A1 yellow. Target B2 holds 10 and C2 holds 20.
TEST_P(PasteSpecial, PastesWhatItIsAskedTo) {
    Put(u"A1", u"1");
    At(u"A1")->GetObject(u"Interior")->Put(u"ColorIndex", int32_t{6});
    Put(u"B2", u"10");
    Put(u"C2", u"20");
    At(u"A1:B1")->Call(u"Copy");
    ObjectRef target = At(u"B2");
    Invocation call{InvokeKind::Method, u"PasteSpecial", GetParam().args, {}, kExcelLocale};
    target->Invoke(call);
    for (const auto& [address, value] : GetParam().expected) {
        EXPECT_EQ(At(address)->Get(u"Value"), value) << GetParam().what << " " << ToUtf8(address);
    }
    EXPECT_EQ(Data().Cell(2, 2).format.colorIndex, GetParam().colorIndexAtB2) << GetParam().what;
    EXPECT_TRUE(State().CopyMode());
}

const Variant m = Variant::Missing();
INSTANTIATE_TEST_SUITE_P(
    Table, PasteSpecial,
    ::testing::Values(PasteCase{"all", {-4104, -4142, false, false}, {{u"B2", 1.0}, {u"C2", Variant()}}, 6},
                      PasteCase{"omitted", {}, {{u"B2", 1.0}, {u"C2", Variant()}}, 6},
                      PasteCase{"values", {-4163, m, m, m}, {{u"B2", 1.0}, {u"C2", Variant()}}, -4142},
                      PasteCase{"formats", {-4122}, {{u"B2", 10.0}, {u"C2", 20.0}}, 6},
                      PasteCase{"skip blanks", {-4104, -4142, true, false}, {{u"B2", 1.0}, {u"C2", 20.0}}, 6},
                      PasteCase{"transpose", {-4104, -4142, false, true}, {{u"B2", 1.0}, {u"C2", 20.0}, {u"B3", Variant()}}, 6},
                      PasteCase{"add", {-4163, 2, false, false}, {{u"B2", 11.0}, {u"C2", 20.0}}, -4142}));

TEST_F(FakeExcelCells, PasteSpecialRefusesWithoutCopyModeOrWithUnknownValues) {
    EXPECT_EQ(ErrorOf([&] { At(u"A1")->Call(u"PasteSpecial", {-4104, -4142, false, false}); }), 1004);
    At(u"A1")->Call(u"Copy");
    EXPECT_EQ(ErrorOf([&] { At(u"B1")->Call(u"PasteSpecial", {99}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { At(u"IV1")->Call(u"PasteSpecial", {}, {{u"Transpose", true}}); }), 0);
    At(u"A1:B1")->Call(u"Copy");
    EXPECT_EQ(ErrorOf([&] { At(u"IV1")->Call(u"PasteSpecial"); }), 1004);  // would run off the sheet
}

TEST_F(FakeExcelCells, MergeKeepsTheUpperLeftMostValue) {
    Put(u"C3", u"c3");
    Put(u"B4", u"b4");
    At(u"B3:C4")->Call(u"Merge");
    EXPECT_EQ(Data().merged, (std::vector<CellArea>{{3, 2, 4, 3}}));
    EXPECT_EQ(Get(3, 2), Variant(u"c3"));
    EXPECT_EQ(Get(4, 2), Variant());
    At(u"C4:D4")->Call(u"Merge");  // overlapping: the merges join
    EXPECT_EQ(Data().merged, (std::vector<CellArea>{{3, 2, 4, 4}}));
    At(u"A6:B7")->Call(u"Merge", {true});
    EXPECT_EQ(Data().merged.size(), 3u);
}

TEST_F(FakeExcelCells, InsertOfACopiedColumnOrRowInsertsTheCopy) {
    Put(u"B1", u"b");
    Put(u"E1", u"e");
    sheet->GetObject(u"Columns", {int32_t{2}})->Call(u"Copy");
    sheet->GetObject(u"Columns", {int32_t{5}})->Call(u"Insert", {}, {{u"Shift", int32_t{-4161}}});
    EXPECT_EQ(Get(1, 5), Variant(u"b"));
    EXPECT_EQ(Get(1, 6), Variant(u"e"));
    EXPECT_FALSE(State().CopyMode()) << "inserting the copy ends the copy mode";
    sheet->GetObject(u"Columns", {int32_t{2}})->Call(u"Copy");
    EXPECT_EQ(ErrorOf([&] { sheet->GetObject(u"Rows", {int32_t{2}})->Call(u"Insert"); }), 1004);  // shapes differ

    Put(u"A2", u"row2");
    sheet->GetObject(u"Rows", {int32_t{2}})->Call(u"Copy");
    sheet->GetObject(u"Rows", {int32_t{1}})->Call(u"Insert", {}, {{u"Shift", int32_t{-4121}}});
    EXPECT_EQ(Get(1, 1), Variant(u"row2"));
    EXPECT_EQ(Get(2, 5), Variant(u"b"));
    EXPECT_EQ(Get(3, 1), Variant(u"row2"));
}

TEST_F(FakeExcelCells, InsertWithoutCopyModeInsertsBlankLinesAndNeverDropsData) {
    Put(u"A1", u"a");
    sheet->GetObject(u"Rows", {int32_t{1}})->Call(u"Insert");
    EXPECT_EQ(Get(2, 1), Variant(u"a"));
    EXPECT_EQ(Get(1, 1), Variant());
    Put(u"A65536", u"bottom");
    EXPECT_EQ(ErrorOf([&] { sheet->GetObject(u"Rows", {int32_t{1}})->Call(u"Insert"); }), 1004);
    EXPECT_EQ(Get(2, 1), Variant(u"a"));
    At(u"B1:B2")->Call(u"Insert", {}, {{u"Shift", int32_t{-4121}}});  // a partial range shifts down
    At(u"B1")->Call(u"Insert", {}, {{u"Shift", int32_t{-4161}}});
    EXPECT_EQ(ErrorOf([&] { At(u"B1")->Call(u"Insert", {}, {{u"Shift", int32_t{-4162}}}); }), 1004);
}

TEST_F(FakeExcelCells, DeleteShiftsTheRestAndRefusesToSplitAMerge) {
    Put(u"A1", u"a");
    Put(u"D1", u"d");
    Put(u"A3", u"a3");
    sheet->GetObject(u"Columns", {int32_t{2}})->Call(u"Delete", {}, {{u"Shift", int32_t{-4159}}});
    EXPECT_EQ(Get(1, 3), Variant(u"d"));
    sheet->GetObject(u"Rows", {int32_t{2}})->Call(u"Delete", {}, {{u"Shift", int32_t{-4162}}});
    EXPECT_EQ(Get(2, 1), Variant(u"a3"));
    At(u"E5:E6")->Call(u"Merge");
    EXPECT_EQ(ErrorOf([&] { At(u"E5")->Call(u"Delete", {}, {{u"Shift", int32_t{-4162}}}); }), 1004);
    sheet->GetObject(u"Rows", {int32_t{5}})->Call(u"Delete");
    EXPECT_TRUE(Data().merged.empty());  // the merge shrank to one cell
    EXPECT_EQ(ErrorOf([&] { sheet->GetObject(u"Columns", {int32_t{0}}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { sheet->GetObject(u"Rows", {int32_t{65537}}); }), 1004);
}

}  // namespace
}  // namespace tabora::test
