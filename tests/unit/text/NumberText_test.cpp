#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tabora::text {
namespace {

constexpr std::u16string_view kWholeDisplay = u"#,###,###,###,##0";
constexpr std::u16string_view kDecimalDisplay = u"#,###,###,###,##0.0#####";
constexpr std::u16string_view kWholeEdit = u"############0";
constexpr std::u16string_view kDecimalEdit = u"############0.0#####";

struct NumberCase {
    std::u16string_view text;
    std::u16string_view pattern;
    std::u16string_view expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    for (char16_t ch : c.text) *os << (ch < 0x80 ? static_cast<char>(ch) : '?');
    *os << " in " << c.pattern.size() << "-character pattern";
}

class FormatNumberTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumberTextTest, WritesTheDigitsAsWritten) {
    EXPECT_EQ(FormatNumberText(GetParam().text, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WholeNumbers, FormatNumberTextTest,
    ::testing::Values(NumberCase{u"1234567", kWholeDisplay, u"1,234,567"}, NumberCase{u"0", kWholeDisplay, u"0"},
                      NumberCase{u"007", kWholeDisplay, u"7"}, NumberCase{u"-1234", kWholeDisplay, u"-1,234"},
                      NumberCase{u"1234567890123", kWholeDisplay, u"1,234,567,890,123"},
                      NumberCase{u"1234567890123456789012", kWholeDisplay, u"1,234,567,890,123,456,789,012"},
                      NumberCase{u"123", kWholeDisplay, u"123"}, NumberCase{u"2.5", kWholeDisplay, u"3"},
                      NumberCase{u"-2.5", kWholeDisplay, u"-3"}, NumberCase{u"2.4999", kWholeDisplay, u"2"},
                      NumberCase{u"999.5", kWholeDisplay, u"1,000"}, NumberCase{u".5", kWholeDisplay, u"1"},
                      NumberCase{u"-0.4", kWholeDisplay, u"0"}, NumberCase{u"-0", kWholeDisplay, u"0"},
                      NumberCase{u"1,2,3,4", kWholeDisplay, u"1,234"}, NumberCase{u"1,,2", kWholeDisplay, u"12"},
                      NumberCase{u"1,234,567", kWholeEdit, u"1234567"},
                      NumberCase{u"-9,999,999,999,999,999,999", kWholeEdit, u"-9999999999999999999"}));

INSTANTIATE_TEST_SUITE_P(
    Decimals, FormatNumberTextTest,
    ::testing::Values(NumberCase{u"1234.5", kDecimalDisplay, u"1,234.5"}, NumberCase{u"5", kDecimalDisplay, u"5.0"},
                      NumberCase{u"0.1234567", kDecimalDisplay, u"0.123457"},
                      NumberCase{u"0.0000005", kDecimalDisplay, u"0.000001"},
                      NumberCase{u"1.0000005", kDecimalDisplay, u"1.000001"},
                      NumberCase{u"0.0000004", kDecimalDisplay, u"0.0"},
                      NumberCase{u"-0.0000001", kDecimalDisplay, u"0.0"},
                      NumberCase{u"9.9999996", kDecimalDisplay, u"10.0"},
                      NumberCase{u"1.2500000", kDecimalDisplay, u"1.25"}, NumberCase{u".5", kDecimalDisplay, u"0.5"},
                      NumberCase{u"5.", kDecimalDisplay, u"5.0"}, NumberCase{u"-.5", kDecimalDisplay, u"-0.5"},
                      NumberCase{u"12345678901234567890.123456789", kDecimalDisplay,
                                 u"12,345,678,901,234,567,890.123457"},
                      NumberCase{u"1,234.5", kDecimalEdit, u"1234.5"}, NumberCase{u"1,234", kDecimalEdit, u"1234.0"}));

INSTANTIATE_TEST_SUITE_P(
    NotNumbersStayAsTheyAre, FormatNumberTextTest,
    ::testing::Values(NumberCase{u"", kWholeDisplay, u""}, NumberCase{u"-", kWholeDisplay, u"-"},
                      NumberCase{u".", kDecimalDisplay, u"."}, NumberCase{u"-.", kDecimalDisplay, u"-."},
                      NumberCase{u"1.2.3", kDecimalDisplay, u"1.2.3"}, NumberCase{u",123", kWholeDisplay, u",123"},
                      NumberCase{u"1,.5", kDecimalDisplay, u"1,.5"}, NumberCase{u"1,", kWholeDisplay, u"1,"},
                      NumberCase{u"1-2", kWholeDisplay, u"1-2"}, NumberCase{u"--1", kWholeDisplay, u"--1"},
                      NumberCase{u"1.2,3", kDecimalDisplay, u"1.2,3"}, NumberCase{u"12a", kWholeDisplay, u"12a"},
                      NumberCase{u" 1", kWholeDisplay, u" 1"}, NumberCase{u"\uFF11", kWholeDisplay, u"\uFF11"}));

}  // namespace
}  // namespace tabora::text
