// Sheets and worksheets behave as Excel's do for the members the wrapper uses.
#include <functional>

#include "contract/ExcelContract.h"
#include "excel/ExcelTexts.h"
#include "support/FakeStrings.h"

namespace tabora::test {
namespace {

TEST_P(SheetsContract, ItemsByPositionOfEitherWidthAndByNameIgnoringCase) {
    auto book = NewWorkbook({u"Alpha", u"Beta", u"Gamma"});
    auto sheets = book->GetObject(u"Sheets");
    EXPECT_EQ(sheets->Get(u"Count"), Variant(int32_t{3}));
    EXPECT_EQ(sheets->GetObject(u"Item", {int16_t{2}})->Get(u"Name"), Variant(u"Beta"));
    EXPECT_EQ(sheets->GetObject(u"Item", {int32_t{3}})->Get(u"Name"), Variant(u"Gamma"));
    EXPECT_EQ(sheets->GetObject(u"Item", {u"gAMMA"})->Get(u"Name"), Variant(u"Gamma"));
    EXPECT_EQ(sheets->GetObject(u"item", {u"Alpha"})->Get(u"index"), Variant(int32_t{1}));
}

TEST_P(SheetsContract, MissingItemsAreSubscriptOutOfRange) {
    auto sheets = NewWorkbook({u"Alpha"})->GetObject(u"Sheets");
    for (const Variant& index : {Variant(u"Nope"), Variant(int16_t{0}), Variant(int32_t{2}), Variant(int32_t{-1})}) {
        ErrorRecord error = ErrorOf([&] { sheets->Get(u"Item", {index}); });
        EXPECT_EQ(error.Number, 9);
        // The source differs: the in-memory Excel names the program, as a missing item over COM
        // does; the Calc server names itself.
        EXPECT_EQ(error.Description.substr(0, vb_error::Description(9).size()), vb_error::Description(9));
    }
}

TEST_P(SheetsContract, EnumerationListsEveryWorksheetInTabOrder) {
    auto book = NewWorkbook({u"売上", u"Sheet B", u"仕入 2024"});
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"売上", u"Sheet B", u"仕入 2024"}));
}

TEST_P(SheetsContract, ActivateMakesTheSheetActiveWhileTheApplicationIsHidden) {
    auto book = NewWorkbook({u"One", u"Two", u"Three"});
    book->GetObject(u"Sheets")->GetObject(u"Item", {u"Three"})->Call(u"Activate");
    EXPECT_EQ(book->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(u"Three"));
    EXPECT_EQ(Application()->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(u"Three"));
}

TEST_P(SheetsContract, CopyAfterPlacesAnActiveCopyNamedAsExcelWould) {
    auto book = NewWorkbook({u"Base", u"Last"});
    auto sheets = book->GetObject(u"Worksheets");
    sheets->GetObject(u"Item", {u"Base"})->GetObject(u"Cells", {1, 1})->Put(u"Value", u"copied");
    auto last = sheets->GetObject(u"Item", {sheets->Get(u"Count")});
    sheets->GetObject(u"Item", {u"Base"})->Call(u"Copy", {}, {{u"After", Variant(last)}});
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Base", u"Last", u"Base (2)"}));
    auto active = book->GetObject(u"ActiveSheet");
    EXPECT_EQ(active->Get(u"Name"), Variant(u"Base (2)"));
    EXPECT_EQ(active->GetObject(u"Cells", {1, 1})->Get(u"Value"), Variant(u"copied"));

    // A copy of the copy counts on; a copy after the first sheet stands second.
    active->Call(u"Copy", {}, {{u"After", Variant(sheets->GetObject(u"Item", {int16_t{1}}))}});
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Base", u"Base (3)", u"Last", u"Base (2)"}));
}

TEST_P(SheetsContract, CopyOfALongNameKeepsWithinExcelsLimit) {
    std::u16string longName(31, u'長');
    auto book = NewWorkbook({longName});
    auto sheet = book->GetObject(u"Worksheets")->GetObject(u"Item", {int32_t{1}});
    sheet->Call(u"Copy", {}, {{u"After", Variant(sheet)}});
    EXPECT_EQ(book->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(std::u16string(27, u'長') + u" (2)"));
}

TEST_P(SheetsContract, RenameAcceptsJapaneseAndExactlyThirtyOneCharacters) {
    auto sheet = NewWorkbook({u"Sheet1"})->GetObject(u"ActiveSheet");
    for (std::u16string name : {std::u16string(u"第１四半期"), std::u16string(31, u'x'), std::u16string(u"a'b"),
                                std::u16string(u"Sheet1")}) {
        sheet->Put(u"Name", name);
        EXPECT_EQ(sheet->Get(u"Name"), Variant(name));
    }
}

// Excel's rules, enforced before Calc is asked: Calc would accept some of these silently.
TEST_P(SheetsContract, RenameRefusesNamesExcelRefusesAndKeepsTheOldName) {
    auto book = NewWorkbook({u"Keep", u"Other"});
    auto sheet = book->GetObject(u"Worksheets")->GetObject(u"Item", {u"Keep"});
    const std::u16string refused[] = {u"", std::u16string(32, u'x'), u"a:b", u"a\\b", u"a/b", u"a?b", u"a*b",
                                      u"a[b", u"a]b", u"'quoted", u"quoted'", u"History", u"history", u"OTHER"};
    for (const auto& name : refused) {
        ErrorRecord error = ErrorOf([&] { sheet->Put(u"Name", name); });
        EXPECT_EQ(error.Number, 1004) << ToUtf8(name);
        EXPECT_EQ(error.Source, ApplicationSource());
        EXPECT_FALSE(error.Description.empty());
        EXPECT_EQ(sheet->Get(u"Name"), Variant(u"Keep")) << ToUtf8(name);
    }
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Keep", u"Other"}));
}

TEST_P(SheetsContract, ACopyWhoseNameIsRefusedCanBeDeletedLeavingNoStrayCopy) {
    // The wrapper's sequence: copy, then name the active sheet; a refused name fails the second step.
    auto book = NewWorkbook({u"Base"});
    auto base = book->GetObject(u"Worksheets")->GetObject(u"Item", {u"Base"});
    base->Call(u"Copy", {}, {{u"After", Variant(base)}});
    auto copy = book->GetObject(u"ActiveSheet");
    EXPECT_EQ(ErrorOf([&] { copy->Put(u"Name", u"bad/name"); }).Number, 1004);
    copy->Call(u"Delete");
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Base"}));
}

// Hidden sheets as Excel treats them: a copy stays hidden and behind, a hidden sheet never comes
// to the front, and a workbook keeps one visible sheet.
TEST_P(SheetsContract, HiddenSheetsBehaveAsInExcel) {
    auto book = NewWorkbook({u"Front", u"Base", u"Last"});
    auto sheets = book->GetObject(u"Worksheets");
    auto base = sheets->GetObject(u"Item", {u"Base"});
    EXPECT_EQ(base->Get(u"Visible"), Variant(int32_t{-1}));
    base->Put(u"Visible", int32_t{0});
    EXPECT_EQ(base->Get(u"Visible"), Variant(int32_t{0}));
    sheets->GetObject(u"Item", {u"Front"})->Call(u"Activate");

    base->Call(u"Copy", {}, {{u"After", Variant(sheets->GetObject(u"Item", {u"Last"}))}});
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Front", u"Base", u"Last", u"Base (2)"}));
    EXPECT_EQ(book->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(u"Front"));
    auto copy = sheets->GetObject(u"Item", {int32_t{4}});
    EXPECT_EQ(copy->Get(u"Visible"), Variant(int32_t{0}));
    EXPECT_EQ(ErrorOf([&] { copy->Call(u"Activate"); }).Number, 1004);
    EXPECT_EQ(book->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(u"Front"));

    auto last = sheets->GetObject(u"Item", {u"Last"});
    last->Put(u"Visible", false);
    EXPECT_EQ(ErrorOf([&] { sheets->GetObject(u"Item", {u"Front"})->Put(u"Visible", int32_t{2}); }).Number, 1004);
    EXPECT_EQ(ErrorOf([&] { sheets->GetObject(u"Item", {u"Front"})->Call(u"Delete"); }).Number, 1004);
    EXPECT_EQ(ErrorOf([&] { last->Put(u"Visible", int32_t{5}); }).Number, 1004);
    last->Put(u"Visible", true);
    EXPECT_EQ(last->Get(u"Visible"), Variant(int32_t{-1}));
}

TEST_P(SheetsContract, DeleteRemovesTheSheetButNeverTheLastOne) {
    auto book = NewWorkbook({u"A", u"B"});
    book->GetObject(u"Worksheets")->GetObject(u"Item", {u"A"})->Call(u"Delete");
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"B"}));
    auto last = book->GetObject(u"Worksheets")->GetObject(u"Item", {u"B"});
    EXPECT_EQ(ErrorOf([&] { last->Call(u"Delete"); }).Number, 1004);
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"B"}));
}

struct StructureChange {
    const char* what;
    std::function<void()> change;
    std::u16string words;  // Excel's, for the refusal
};

// A workbook whose structure is protected keeps its sheets as they stand: each change is refused
// up front in Excel's words, and nothing of it is left behind.
TEST_P(SheetsContract, AProtectedStructureRefusesEveryChangeToItsSheets) {
    auto book = NewWorkbook({u"Base", u"Other"});
    auto sheets = book->GetObject(u"Worksheets");
    const auto item = [&](const char16_t* name) { return sheets->GetObject(u"Item", {name}); };
    item(u"Other")->Put(u"Visible", false);
    EXPECT_EQ(book->Get(u"ProtectStructure"), Variant(false));
    book->Call(u"Protect", {}, {{u"Structure", true}});
    EXPECT_EQ(book->Get(u"ProtectStructure"), Variant(true));
    const StructureChange changes[] = {
        {"copy after",
         [&] {
             item(u"Base")->Call(u"Copy", {}, {{u"After", Variant(item(u"Other"))}});
         },
         excel::MethodFailedText(u"Worksheet", u"Copy")},
        {"copy before",
         [&] {
             item(u"Other")->Call(u"Copy", {}, {{u"Before", Variant(item(u"Base"))}});
         },
         excel::MethodFailedText(u"Worksheet", u"Copy")},
        {"delete", [&] { item(u"Base")->Call(u"Delete"); }, excel::MethodFailedText(u"Worksheet", u"Delete")},
        {"rename", [&] { item(u"Base")->Put(u"Name", u"New"); }, excel::CannotSetText(u"Worksheet", u"Name")},
        {"hide", [&] { item(u"Base")->Put(u"Visible", false); },
         excel::CannotSetText(u"Worksheet", u"Visible")},
        {"show", [&] { item(u"Other")->Put(u"Visible", true); },
         excel::CannotSetText(u"Worksheet", u"Visible")},
    };
    for (const StructureChange& c : changes) {
        const ErrorRecord error = ErrorOf(c.change);
        EXPECT_EQ(error.Number, 1004) << c.what;
        EXPECT_EQ(error.Source, ApplicationSource()) << c.what;
        EXPECT_NE(error.Description.find(c.words), std::u16string::npos)
            << c.what << ": " << ToUtf8(error.Description);
        EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Base", u"Other"})) << c.what;
        EXPECT_EQ(item(u"Base")->Get(u"Visible"), Variant(int32_t{-1})) << c.what;
        EXPECT_EQ(item(u"Other")->Get(u"Visible"), Variant(int32_t{0})) << c.what;
    }
}

// Only the workbook's structure stops them: a protected sheet is copied, protected like its
// original, and renamed.
TEST_P(SheetsContract, AProtectedSheetIsCopiedAndRenamedAsAnyOther) {
    auto book = NewWorkbook({u"Base", u"Other"});
    auto sheets = book->GetObject(u"Worksheets");
    auto base = sheets->GetObject(u"Item", {u"Base"});
    base->Call(u"Protect");
    EXPECT_EQ(base->Get(u"ProtectContents"), Variant(true));
    base->Call(u"Copy", {}, {{u"After", Variant(sheets->GetObject(u"Item", {u"Other"}))}});
    EXPECT_EQ(sheets->GetObject(u"Item", {int32_t{3}})->Get(u"ProtectContents"), Variant(true));
    base->Put(u"Name", u"Renamed");
    EXPECT_EQ(WorksheetNamesOf(book), (std::vector<std::u16string>{u"Renamed", u"Other", u"Base (2)"}));
}

TEST_P(SheetsContract, UnknownMembersAndWrongArgumentCountsAreAutomationErrors) {
    auto sheet = NewWorkbook()->GetObject(u"ActiveSheet");
    EXPECT_EQ(ErrorOf([&] { sheet->Call(u"NoSuchMethod"); }).Number, 438);
    EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Cells", {1, 1, 1}); }).Number, 450);
    EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Cells", {u"x", 1}); }).Number, 13);
}

}  // namespace
}  // namespace tabora::test
