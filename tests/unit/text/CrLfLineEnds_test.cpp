#include "text/CrLfLineEnds.h"

#include <gtest/gtest.h>

namespace tabora::text {
namespace {

struct LineEndCase {
    const char* name;
    std::u16string text;
    std::u16string mended;
};

class CrLfLineEndsTest : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(CrLfLineEndsTest, EveryLineEndBecomesCrLf) { EXPECT_EQ(WithCrLfLineEnds(GetParam().text), GetParam().mended); }

INSTANTIATE_TEST_SUITE_P(
    Texts, CrLfLineEndsTest,
    ::testing::Values(LineEndCase{"CrLfStays", u"A\r\nB\r\n", u"A\r\nB\r\n"},
                      LineEndCase{"BareLf", u"A\nB\n", u"A\r\nB\r\n"},
                      LineEndCase{"BareCr", u"A\rB", u"A\r\nB"},
                      LineEndCase{"LfCrIsTwoEnds", u"A\n\rB", u"A\r\n\r\nB"},
                      LineEndCase{"CrCrLf", u"A\r\r\nB", u"A\r\n\r\nB"},
                      LineEndCase{"Mixed", u"\nA\r\nB\rC\n", u"\r\nA\r\nB\r\nC\r\n"},
                      LineEndCase{"LineSeparator", u"A\u2028B\u2028", u"A\r\nB\r\n"},
                      LineEndCase{"ParagraphSeparator", u"A\u2029\u2029B", u"A\r\n\r\nB"},
                      LineEndCase{"SeparatorThenCrLfIsTwoEnds", u"A\u2028\r\nB", u"A\r\n\r\nB"},
                      LineEndCase{"NoLineEnd", u"A,x", u"A,x"},
                      LineEndCase{"Empty", u"", u""}),
    [](const auto& param_info) { return param_info.param.name; });

}  // namespace
}  // namespace tabora::text
