// Excel's rules every server follows alike: names compared ignoring case in every script, the
// grid of a workbook by its file format, arguments converted as Excel converts them, and the
// texts of the errors.
#include "contract/ExcelContract.h"
#include "support/FakeStrings.h"

namespace tabora::test {
namespace {

TEST_P(RulesContract, SheetNamesClashIgnoringCaseInEveryScript) {
    const std::vector<std::pair<std::u16string, std::u16string>> pairs = {
        {u"Итог", u"итог"}, {u"лист", u"Лист"}, {u"Σύνολο", u"σύνολο"}, {u"σίγμα", u"Σίγμα"},
        {u"ǅ", u"ǆ"},       {u"Ÿ", u"ÿ"},       {u"Ｄａｔａ", u"ｄａｔａ"}};
    for (const auto& [existing, other] : pairs) {
        auto book = NewWorkbook({existing, u"Other"});
        auto sheets = book->GetObject(u"Worksheets");
        EXPECT_EQ(sheets->GetObject(u"Item", {other})->Get(u"Name"), Variant(existing)) << ToUtf8(other);
        auto second = sheets->GetObject(u"Item", {u"Other"});
        EXPECT_EQ(ErrorOf([&] { second->Put(u"Name", other); }).Number, 1004) << ToUtf8(other);
        EXPECT_EQ(second->Get(u"Name"), Variant(u"Other"));
        // A change of case of the sheet's own name is no clash.
        auto first = sheets->GetObject(u"Item", {existing});
        first->Put(u"Name", other);
        EXPECT_EQ(first->Get(u"Name"), Variant(other));
        book->Call(u"Close", {false});
    }
}

TEST_P(RulesContract, NamesThatOnlyLookAlikeAreDifferentSheets) {
    auto book = NewWorkbook({u"ア", u"Other"});
    auto other = book->GetObject(u"Worksheets")->GetObject(u"Item", {u"Other"});
    for (const char16_t* name : {u"あ", u"ss", u"ß"}) {
        other->Put(u"Name", name);
        EXPECT_EQ(other->Get(u"Name"), Variant(name)) << ToUtf8(name);
    }
    EXPECT_EQ(ErrorOf([&] { book->GetObject(u"Worksheets")->Get(u"Item", {u"SS"}); }).Number, 9);
}

struct GridCase {
    const char16_t* file;
    int32_t rows;
    int32_t columns;
};

TEST_P(RulesContract, TheGridFollowsTheWorkbooksFileFormat) {
    const GridCase cases[] = {{u"Grid.xls", 65536, 256}, {u"Grid.xlsx", 1048576, 16384}, {nullptr, 1048576, 16384}};
    for (const GridCase& grid : cases) {
        ObjectRef book = grid.file ? OpenedWorkbook(grid.file, {u"Sheet1"}) : NewWorkbook();
        const std::string what = grid.file ? ToUtf8(grid.file) : "a new workbook";
        auto sheet = book->GetObject(u"Worksheets")->GetObject(u"Item", {int32_t{1}});
        auto corner = sheet->GetObject(u"Cells", {grid.rows, grid.columns});
        EXPECT_EQ(corner->Get(u"Row"), Variant(grid.rows)) << what;
        EXPECT_EQ(corner->Get(u"Column"), Variant(grid.columns)) << what;
        EXPECT_EQ(sheet->GetObject(u"Rows", {grid.rows})->Get(u"Row"), Variant(grid.rows)) << what;
        EXPECT_EQ(sheet->GetObject(u"Columns", {grid.columns})->Get(u"Column"), Variant(grid.columns)) << what;
        for (auto [row, column] : {std::pair{grid.rows + 1, 1}, {1, grid.columns + 1}, {0, 1}, {1, -1}}) {
            ErrorRecord error = ErrorOf([&] { sheet->Get(u"Cells", {row, column}); });
            EXPECT_EQ(error.Number, 1004) << what << " " << row << "," << column;
            EXPECT_EQ(error.Source, ApplicationSource());
        }
        EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Rows", {grid.rows + 1}); }).Number, 1004) << what;
        EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Columns", {grid.columns + 1}); }).Number, 1004) << what;
        book->Call(u"Close", {false});
    }
}

struct SavedGridCase {
    const char16_t* file;
    int32_t fileFormat;  // 0: not given
    int32_t rows;
    int32_t columns;
};

// A save in another format changes the grid with it, so that no cell is accepted that the file
// cannot hold: a name without an extension is saved as .xls.
TEST_P(RulesContract, TheGridFollowsTheFormatTheWorkbookIsSavedIn) {
    const SavedGridCase cases[] = {{u"NoExtension", 0, 65536, 256},
                                   {u"Saved.xls", 0, 65536, 256},
                                   {u"Saved.xlsx", 0, 1048576, 16384},
                                   {u"Binary.xlsx", 56, 65536, 256}};
    for (const SavedGridCase& saved : cases) {
        const std::string what = ToUtf8(saved.file);
        ObjectRef book = NewWorkbook();
        const std::u16string path = scratch.File(saved.file);
        if (saved.fileFormat == 0) {
            book->Call(u"SaveAs", {path});
        } else {
            book->Call(u"SaveAs", {path}, {{u"FileFormat", Variant(saved.fileFormat)}});
        }
        auto sheet = book->GetObject(u"Worksheets")->GetObject(u"Item", {int32_t{1}});
        EXPECT_EQ(sheet->GetObject(u"Cells", {saved.rows, saved.columns})->Get(u"Row"), Variant(saved.rows))
            << what;
        EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Cells", {saved.rows + 1, 1}); }).Number, 1004) << what;
        EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Cells", {1, saved.columns + 1}); }).Number, 1004) << what;
        book->Call(u"Close", {false});
    }
}

TEST_P(RulesContract, NumericArgumentsRoundHalfToEvenAndOverflowIsSix) {
    auto sheet = NewWorkbook()->GetObject(u"ActiveSheet");
    for (auto [given, expected] : {std::pair{Variant(2.5), 2}, {Variant(3.5), 4}, {Variant(u"2.5"), 2},
                                   {Variant(u" 7 "), 7}, {Variant(1.5), 2}}) {
        EXPECT_EQ(sheet->GetObject(u"Cells", {given, int32_t{1}})->Get(u"Row"), Variant(int32_t{expected}));
    }
    for (auto [given, number] : {std::pair{Variant(1e12), 6}, {Variant(u"-3e9"), 6}, {Variant(u"12x"), 13},
                                 {Variant(u"0x10"), 13}, {Variant(u"inf"), 13}}) {
        ErrorRecord error = ErrorOf([&] { sheet->Get(u"Cells", {given, int32_t{1}}); });
        EXPECT_EQ(error.Number, number);
        EXPECT_EQ(error.Description, vb_error::Description(number));
    }
    auto app = Application();
    EXPECT_EQ(ErrorOf([&] { app->Put(u"SheetsInNewWorkbook", 1e12); }).Number, 6);
}

TEST_P(RulesContract, AFlagIsTrueWhenItsValueIsNotZero) {
    auto app = Application();
    for (auto [given, expected] : {std::pair{Variant(u"0.4"), true}, {Variant(u"0"), false}, {Variant(0.4), true},
                                   {Variant(u"true"), true}, {Variant(u"FALSE"), false}, {Variant(int32_t{-1}), true}}) {
        app->Put(u"DisplayAlerts", given);
        EXPECT_EQ(app->Get(u"DisplayAlerts"), Variant(expected));
    }
    EXPECT_EQ(ErrorOf([&] { app->Put(u"DisplayAlerts", u"yes"); }).Number, 13);
    app->Put(u"DisplayAlerts", false);
}

TEST_P(RulesContract, NumbersAndFlagsAreTakenAsTextWhereTextIsDue) {
    auto sheet = NewWorkbook()->GetObject(u"ActiveSheet");
    for (auto [given, expected] : {std::pair{Variant(true), u"True"}, {Variant(1.5), u"1.5"},
                                   {Variant(int32_t{2024}), u"2024"}}) {
        sheet->Put(u"Name", given);
        EXPECT_EQ(sheet->Get(u"Name"), Variant(expected));
    }
    EXPECT_EQ(ErrorOf([&] { sheet->Put(u"Name", ObjectRef()); }).Number, 13);
}

TEST_P(RulesContract, ErrorsCarryTheProgramsTextsForTheirNumbers) {
    auto book = NewWorkbook();
    auto sheet = book->GetObject(u"ActiveSheet");
    const ErrorRecord missing = ErrorOf([&] { book->GetObject(u"Worksheets")->Get(u"Item", {u"Nope"}); });
    EXPECT_EQ(missing.Number, 9);
    EXPECT_EQ(missing.Description.substr(0, vb_error::Description(9).size()), vb_error::Description(9));
    const ErrorRecord member = ErrorOf([&] { sheet->Call(u"NoSuchMethod"); });
    EXPECT_EQ(member.Number, 438);
    EXPECT_EQ(member.Description, vb_error::Description(438));
    const ErrorRecord count = ErrorOf([&] { sheet->Get(u"Cells", {1, 1, 1}); });
    EXPECT_EQ(count.Number, 450);
    EXPECT_EQ(count.Description, vb_error::Description(450));
}

TEST_P(RulesContract, ArgumentsBindAsExcelBindsThem) {
    auto book = OpenedWorkbook(u"Binding.xls", {u"One", u"Two"});
    auto sheets = book->GetObject(u"Worksheets");
    auto one = sheets->GetObject(u"Item", {u"One"});
    auto two = sheets->GetObject(u"Item", {u"Two"});
    // Names of named arguments are compared ignoring case; one Excel lacks is 448.
    one->Call(u"Copy", {}, {{u"after", Variant(two)}});
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"One", u"Two", u"One (2)"}));
    EXPECT_EQ(ErrorOf([&] { one->Call(u"Copy", {}, {{u"Afterr", Variant(two)}}); }).Number, 448);
    EXPECT_EQ(sheets->Get(u"Count"), Variant(int32_t{3})) << "the refused copy made nothing";
    // An item's position may be any number; a column, letters; one index counts along the rows.
    EXPECT_EQ(sheets->GetObject(u"Item", {2.0})->Get(u"Name"), Variant(u"Two"));
    EXPECT_EQ(one->GetObject(u"Cells", {int32_t{1}, u"B"})->Get(u"Column"), Variant(int32_t{2}));
    auto a2 = one->GetObject(u"Cells", {int32_t{257}});
    EXPECT_EQ(a2->Get(u"Row"), Variant(int32_t{2}));
    EXPECT_EQ(a2->Get(u"Column"), Variant(int32_t{1}));
    book->Call(u"Close", {false});
}

}  // namespace
}  // namespace tabora::test
