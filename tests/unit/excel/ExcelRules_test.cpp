// Excel's rules that every server follows: sheet names, case folding, the grid by file format,
// and the conversion of arguments.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "excel/ArgumentConversion.h"
#include "excel/CaseFolding.h"
#include "excel/SheetNames.h"
#include "excel/WorkbookGrid.h"
#include "platform/RuntimeError.h"
#include "support/FakeStrings.h"

namespace tabora::excel {
namespace {

using test::ToUtf8;

struct FoldCase_ {
    std::u16string a;
    std::u16string b;
    bool same;
};

class CaseBlindNames : public ::testing::TestWithParam<FoldCase_> {};

TEST_P(CaseBlindNames, FoldEveryScriptsLetterCase) {
    EXPECT_EQ(EqualsIgnoringCase(GetParam().a, GetParam().b), GetParam().same) << ToUtf8(GetParam().a);
    EXPECT_EQ(EqualsIgnoringCase(GetParam().b, GetParam().a), GetParam().same) << ToUtf8(GetParam().b);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaseBlindNames,
    ::testing::Values(FoldCase_{u"Data", u"dATA", true}, FoldCase_{u"ＡＢ", u"ａｂ", true},
                      FoldCase_{u"Ωmega", u"ωMEGA", true}, FoldCase_{u"Итог", u"итог", true},
                      FoldCase_{u"лист", u"Лист", true}, FoldCase_{u"Σύνολο", u"σύνολο", true},
                      FoldCase_{u"σίγμα", u"Σίγμα", true}, FoldCase_{u"ς", u"σ", true},  // final sigma
                      FoldCase_{u"ǅ", u"ǆ", true}, FoldCase_{u"Ǆ", u"ǆ", true}, FoldCase_{u"Ÿ", u"ÿ", true},
                      FoldCase_{u"Ā", u"ā", true}, FoldCase_{u"Ա", u"ա", true},  // Latin Extended, Armenian
                      FoldCase_{u"Ⓐ", u"ⓐ", true}, FoldCase_{u"K", u"k", true},  // Kelvin sign
                      FoldCase_{u"\U00010400", u"\U00010428", true},            // Deseret, beyond 16 bits
                      FoldCase_{u"Data", u"Data2", false}, FoldCase_{u"ア", u"あ", false},
                      FoldCase_{u"ß", u"ss", false},  // full folding would make these one
                      FoldCase_{u"İ", u"i", false},   // Turkish dotted capital: no simple folding
                      FoldCase_{u"ā", u"ă", false}, FoldCase_{u"\xD800", u"\xD801", false}));

TEST(CaseFolding, FoldsCodePointsAndTextsAlike) {
    EXPECT_EQ(FoldCase(U'A'), U'a');
    EXPECT_EQ(FoldCase(U'a'), U'a');
    EXPECT_EQ(FoldCase(U'Ā'), U'ā');
    EXPECT_EQ(FoldCase(U'ā'), U'ā') << "the lower half of an alternating run stays";
    EXPECT_EQ(FoldCase(U'\U0001E900'), U'\U0001E922');  // Adlam
    EXPECT_EQ(FoldCase(U'\U0010FFFF'), U'\U0010FFFF');
    EXPECT_EQ(ToUtf8(FoldCase(u"ÄБΓ\U00010400x")), ToUtf8(u"äбγ\U00010428x"));
}

struct NameCase {
    std::u16string name;
    std::optional<SheetNameProblem> problem;
};

class SheetNameValidity : public ::testing::TestWithParam<NameCase> {};

TEST_P(SheetNameValidity, AcceptsOnlyWhatExcelAccepts) {
    const std::vector<std::u16string> existing = {u"Data", u"Ｓｈｅｅｔ", u"Итог"};
    EXPECT_EQ(CheckSheetName(GetParam().name, existing), GetParam().problem) << ToUtf8(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetNameValidity,
    ::testing::Values(NameCase{u"Summary", std::nullopt}, NameCase{std::u16string(31, u'x'), std::nullopt},
                      NameCase{u"売上 (2024)", std::nullopt}, NameCase{u"it's", std::nullopt},
                      NameCase{u"History1", std::nullopt}, NameCase{u"(a) ,.!#$%&", std::nullopt},
                      NameCase{u"", SheetNameProblem::Empty},
                      NameCase{std::u16string(32, u'x'), SheetNameProblem::TooLong},
                      NameCase{u"a:b", SheetNameProblem::BadCharacter}, NameCase{u"a\\b", SheetNameProblem::BadCharacter},
                      NameCase{u"a/b", SheetNameProblem::BadCharacter}, NameCase{u"a?b", SheetNameProblem::BadCharacter},
                      NameCase{u"a*b", SheetNameProblem::BadCharacter}, NameCase{u"[a", SheetNameProblem::BadCharacter},
                      NameCase{u"a]", SheetNameProblem::BadCharacter},
                      NameCase{u"'a", SheetNameProblem::ApostropheAtEnd},
                      NameCase{u"a'", SheetNameProblem::ApostropheAtEnd},
                      NameCase{u"HISTORY", SheetNameProblem::Reserved}, NameCase{u"history", SheetNameProblem::Reserved},
                      NameCase{u"data", SheetNameProblem::Taken}, NameCase{u"ｓｈｅｅｔ", SheetNameProblem::Taken},
                      NameCase{u"ИТОГ", SheetNameProblem::Taken}));

TEST(SheetNameMessages, TakenAndReservedNamesSayWhy) {
    EXPECT_NE(SheetNameMessage(SheetNameProblem::Taken), SheetNameMessage(SheetNameProblem::BadCharacter));
    EXPECT_NE(SheetNameMessage(SheetNameProblem::Reserved).find(u"History"), std::u16string::npos);
}

struct CopyCase {
    std::vector<std::u16string> existing;
    std::u16string original;
    std::u16string copy;
};

class CopyNaming : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyNaming, NumbersTheCopyLikeExcel) {
    EXPECT_EQ(ToUtf8(CopyName(GetParam().original, GetParam().existing)), ToUtf8(GetParam().copy));
}

const std::u16string k31 = u"abcdefghijklmnopqrstuvwxyz01234";

INSTANTIATE_TEST_SUITE_P(
    Table, CopyNaming,
    ::testing::Values(CopyCase{{u"Sheet1"}, u"Sheet1", u"Sheet1 (2)"},
                      CopyCase{{u"Sheet1", u"Sheet1 (2)"}, u"Sheet1", u"Sheet1 (3)"},
                      CopyCase{{u"Sheet1", u"sheet1 (2)"}, u"Sheet1", u"Sheet1 (3)"},
                      CopyCase{{u"Sheet1", u"Sheet1 (2)"}, u"Sheet1 (2)", u"Sheet1 (3)"},
                      CopyCase{{u"A (x)"}, u"A (x)", u"A (x) (2)"}, CopyCase{{u"A ()"}, u"A ()", u"A () (2)"},
                      CopyCase{{k31}, k31, k31.substr(0, 27) + u" (2)"},
                      CopyCase{{u"Лист", u"лист (2)"}, u"Лист", u"Лист (3)"},
                      CopyCase{{u"Other"}, u"Free", u"Free"}));

TEST(CopyNaming, CountsOnPastEveryTakenNumber) {
    std::vector<std::u16string> taken = {u"S"};
    for (int n = 2; n <= 12; ++n) {
        EXPECT_EQ(ToUtf8(CopyName(u"S", taken)), "S (" + std::to_string(n) + ")");
        taken.push_back(CopyName(u"S", taken));
    }
}

TEST(NewSheetNames, TakeTheFirstFreeNumber) {
    EXPECT_EQ(ToUtf8(NewSheetName(u"Sheet", {u"Sheet1", u"sheet3"})), "Sheet2");
    EXPECT_EQ(ToUtf8(NewSheetName(u"Chart", {})), "Chart1");
}

TEST(WorkbookGrids, ASaveWritesTheBinaryFormatForXlsOrNoExtension) {
    const std::tuple<const char16_t*, std::optional<int32_t>> saves[] = {
        {u"/a/Book", 56},        {u"/a.d/Book", 56},    {u"C:\\a.d\\Book", 56}, {u"/a/Book.XLS", 56},
        {u"/a/Book.xlsx", 51},   {u"/a/Book.ods", 60},  {u"/a/Book.csv", 6},     {u"/a/Book.xlsb", std::nullopt}};
    for (const auto& [path, format] : saves) EXPECT_EQ(FileFormatFor(path), format) << ToUtf8(path);
    for (int32_t binary : {56, 39, -4143}) EXPECT_EQ(GridOfFormat(binary), (WorkbookGrid{65536, 256})) << binary;
    for (std::optional<int32_t> large : {std::optional<int32_t>(51), std::optional<int32_t>(60), std::optional<int32_t>()})
        EXPECT_EQ(GridOfFormat(large), (WorkbookGrid{1048576, 16384}));
}

template <class F>
int32_t ErrorNumberOf(F&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record().Source, vb_error::kSource);
        return error.Number();
    }
    return 0;
}

struct LongCase {
    Variant value;
    int32_t expected;  // or the error number
    int32_t error = 0;
};

class ArgumentsAsLong : public ::testing::TestWithParam<LongCase> {};

TEST_P(ArgumentsAsLong, RoundHalfToEvenAndRefuseWhatIsNoNumber) {
    int32_t converted = 0;
    EXPECT_EQ(ErrorNumberOf([&] { converted = ToLong(GetParam().value); }), GetParam().error);
    if (GetParam().error == 0) {
        EXPECT_EQ(converted, GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArgumentsAsLong,
    ::testing::Values(LongCase{Variant(int16_t{7}), 7}, LongCase{Variant(2.5), 2}, LongCase{Variant(3.5), 4},
                      LongCase{Variant(-2.5), -2}, LongCase{Variant(u" 12 "), 12}, LongCase{Variant(u"2.5"), 2},
                      LongCase{Variant(u"1e3"), 1000}, LongCase{Variant(true), -1}, LongCase{Variant(), 0},
                      LongCase{Variant(2147483647.4), 2147483647}, LongCase{Variant(u"12x"), 0, 13},
                      LongCase{Variant(u"0x10"), 0, 13}, LongCase{Variant(u"inf"), 0, 13},
                      LongCase{Variant(u""), 0, 13}, LongCase{Variant(1e12), 0, 6}, LongCase{Variant(u"-3e9"), 0, 6},
                      LongCase{Variant(2147483647.5), 0, 6}, LongCase{Variant(ObjectRef()), 0, 13},
                      LongCase{Variant::Null(), 0, 13}));

TEST(ArgumentsAsFlags, FollowTheValuesSignNotItsRounding) {
    EXPECT_TRUE(ToBool(Variant(u"true")));
    EXPECT_FALSE(ToBool(Variant(u" FALSE ")));
    EXPECT_TRUE(ToBool(Variant(u"0.4")));
    EXPECT_TRUE(ToBool(Variant(0.4)));
    EXPECT_TRUE(ToBool(Variant(u"-1")));
    EXPECT_FALSE(ToBool(Variant(u"0")));
    EXPECT_FALSE(ToBool(Variant(int32_t{0})));
    EXPECT_FALSE(ToBool(Variant()));
    EXPECT_EQ(ErrorNumberOf([] { ToBool(Variant(u"yes")); }), 13);
}

TEST(ArgumentsAsText, WriteValuesAsBasicDoes) {
    EXPECT_EQ(ToText(Variant(int32_t{-3})), u"-3");
    EXPECT_EQ(ToText(Variant(true)), u"True");
    EXPECT_EQ(ToText(Variant(1.5)), u"1.5");
    EXPECT_EQ(ToText(Variant()), u"");
    EXPECT_EQ(ToText(Variant(u"売上")), u"売上");
    EXPECT_EQ(ErrorNumberOf([] { ToText(Variant(ObjectRef())); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { ToText(Variant(CellErrorValue{2042})); }), 13);
}

}  // namespace
}  // namespace tabora::excel
