#include "support/FakeSheetNames.h"

#include <gtest/gtest.h>

#include "support/FakeStrings.h"

namespace tabora::test {
namespace {

struct NameCase {
    std::u16string name;
    bool valid;
};

class SheetNameRules : public ::testing::TestWithParam<NameCase> {};

TEST_P(SheetNameRules, AcceptsOnlyWhatExcelAccepts) {
    EXPECT_EQ(IsValidSheetName(GetParam().name), GetParam().valid) << ToUtf8(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetNameRules,
    ::testing::Values(NameCase{u"Sheet1", true}, NameCase{u"売上 2024", true}, NameCase{u"a", true},
                      NameCase{std::u16string(31, u'x'), true}, NameCase{std::u16string(32, u'x'), false},
                      NameCase{u"", false}, NameCase{u"a:b", false}, NameCase{u"a\\b", false},
                      NameCase{u"a/b", false}, NameCase{u"a?b", false}, NameCase{u"a*b", false},
                      NameCase{u"a[b", false}, NameCase{u"a]b", false}, NameCase{u"'ab", false},
                      NameCase{u"ab'", false}, NameCase{u"a'b", true}, NameCase{u"History", false},
                      NameCase{u"history", false}, NameCase{u"History1", true}, NameCase{u"(a) ,.!#$%&", true}));

FakeWorkbook BookOf(const std::vector<std::u16string>& names) {
    FakeWorkbook book;
    for (const auto& name : names) {
        book.sheets.push_back(std::make_shared<FakeSheet>());
        book.sheets.back()->name = name;
    }
    return book;
}

TEST(SheetNameUniqueness, IgnoresCaseIncludingFullWidthLettersButNotTheSheetItself) {
    const FakeWorkbook book = BookOf({u"Data", u"ＡＢ", u"Ωmega"});
    EXPECT_FALSE(CanNameSheet(book, nullptr, u"DATA"));
    EXPECT_FALSE(CanNameSheet(book, nullptr, u"ａｂ"));
    EXPECT_FALSE(CanNameSheet(book, nullptr, u"ωMEGA"));
    EXPECT_TRUE(CanNameSheet(book, book.sheets[0].get(), u"data"));  // a change of case only
    EXPECT_FALSE(CanNameSheet(book, book.sheets[1].get(), u"Data"));
    EXPECT_TRUE(CanNameSheet(book, nullptr, u"Data2"));
}

struct CopyCase {
    std::vector<std::u16string> existing;
    std::u16string original;
    std::u16string copy;
};

class CopyNaming : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyNaming, NumbersTheCopyLikeExcel) {
    EXPECT_EQ(ToUtf8(CopyName(BookOf(GetParam().existing), GetParam().original)), ToUtf8(GetParam().copy));
}

const std::u16string k31 = u"abcdefghijklmnopqrstuvwxyz01234";

INSTANTIATE_TEST_SUITE_P(
    Table, CopyNaming,
    ::testing::Values(CopyCase{{u"Sheet1"}, u"Sheet1", u"Sheet1 (2)"},
                      CopyCase{{u"Sheet1", u"Sheet1 (2)"}, u"Sheet1", u"Sheet1 (3)"},
                      CopyCase{{u"Sheet1", u"sheet1 (2)"}, u"Sheet1", u"Sheet1 (3)"},
                      CopyCase{{u"Sheet1", u"Sheet1 (2)"}, u"Sheet1 (2)", u"Sheet1 (3)"},
                      CopyCase{{u"A (x)"}, u"A (x)", u"A (x) (2)"},
                      CopyCase{{k31}, k31, k31.substr(0, 27) + u" (2)"},
                      CopyCase{{u"Other"}, u"Free", u"Free"}));

TEST(NewSheetNames, TakeTheFirstFreeNumber) {
    EXPECT_EQ(ToUtf8(NewSheetName(BookOf({u"Sheet1", u"Sheet3"}), u"Sheet")), "Sheet2");
    EXPECT_EQ(ToUtf8(NewSheetName(BookOf({}), u"Chart")), "Chart1");
}

}  // namespace
}  // namespace tabora::test
