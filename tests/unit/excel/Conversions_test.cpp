#include "excel/Conversions.h"

#include <gtest/gtest.h>

#include "platform/RuntimeError.h"

namespace tabora::conversions {
namespace {

struct WholeNumberCase {
    std::u16string text;
    std::optional<int32_t> expected;
};

class WholeNumberTest : public ::testing::TestWithParam<WholeNumberCase> {};

TEST_P(WholeNumberTest, ReadsDecimalTextRoundedHalfToEven) {
    EXPECT_EQ(ParseWholeNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeNumberTest,
    ::testing::Values(WholeNumberCase{u"42", 42}, WholeNumberCase{u"  -42 ", -42}, WholeNumberCase{u"+7", 7},
                      WholeNumberCase{u"2.5", 2}, WholeNumberCase{u"3.5", 4}, WholeNumberCase{u"-2.5", -2},
                      WholeNumberCase{u"2.5000001", 3}, WholeNumberCase{u"2.4999999999", 2},
                      WholeNumberCase{u".5", 0}, WholeNumberCase{u"1.", 1},
                      WholeNumberCase{u"2147483647", 2147483647}, WholeNumberCase{u"2147483647.4", 2147483647},
                      WholeNumberCase{u"2147483647.5", std::nullopt}, WholeNumberCase{u"2147483648", std::nullopt},
                      WholeNumberCase{u"-2147483648", INT32_MIN}, WholeNumberCase{u"-2147483649", std::nullopt},
                      WholeNumberCase{u"99999999999999999999999", std::nullopt}, WholeNumberCase{u"", std::nullopt},
                      WholeNumberCase{u"   ", std::nullopt}, WholeNumberCase{u"abc", std::nullopt},
                      WholeNumberCase{u"1 2", std::nullopt}, WholeNumberCase{u"-", std::nullopt},
                      WholeNumberCase{u".", std::nullopt}, WholeNumberCase{u"1.2.3", std::nullopt},
                      WholeNumberCase{u"１２", std::nullopt}));

struct BooleanCase {
    std::u16string text;
    bool expected;
};

class TextToBooleanTest : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(TextToBooleanTest, AcceptsWordsInAnyCaseAndNumbers) {
    EXPECT_EQ(TextToBoolean(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToBooleanTest,
                         ::testing::Values(BooleanCase{u"True", true}, BooleanCase{u"tRUE", true},
                                           BooleanCase{u" false ", false}, BooleanCase{u"1", true},
                                           BooleanCase{u"-1", true}, BooleanCase{u"0", false},
                                           BooleanCase{u" 0.0 ", false}, BooleanCase{u"0.01", true}));

TEST(TextToBoolean, RefusesOtherTextWithATypeMismatch) {
    for (const std::u16string text : {u"yes", u"", u"Tru", u"1x", u"--1"}) {
        try {
            TextToBoolean(text);
            ADD_FAILURE() << "accepted a text that is no flag";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), vb_error::kTypeMismatch);
        }
    }
}

struct ValueTextCase {
    Variant value;
    std::u16string expected;
};

class ValueToTextTest : public ::testing::TestWithParam<ValueTextCase> {};

TEST_P(ValueToTextTest, WritesValuesAsBasicDoes) { EXPECT_EQ(ValueToText(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Values, ValueToTextTest,
    ::testing::Values(ValueTextCase{Variant(), u""}, ValueTextCase{Variant(true), u"True"},
                      ValueTextCase{Variant(false), u"False"}, ValueTextCase{Variant(int16_t{-3}), u"-3"},
                      ValueTextCase{Variant(int32_t{70000}), u"70000"}, ValueTextCase{Variant(1.5), u"1.5"},
                      ValueTextCase{Variant(0.1), u"0.1"}, ValueTextCase{Variant(-0.25), u"-0.25"},
                      ValueTextCase{Variant(123456789012345.0), u"123456789012345"},
                      ValueTextCase{Variant(1e15), u"1E+15"}, ValueTextCase{Variant(1.5e-7), u"1.5E-07"},
                      ValueTextCase{Variant(1.0 / 3.0), u"0.333333333333333"},
                      ValueTextCase{Variant(DateValue{45296}), u"2024/01/05"},
                      ValueTextCase{Variant(DateValue{45296.5}), u"2024/01/05 12:00:00"},
                      ValueTextCase{Variant(DateValue{0.395833333333333}), u"9:30:00"},
                      ValueTextCase{Variant(DateValue{1}), u"1899/12/31"},
                      ValueTextCase{Variant(std::u16string(u"シート")), u"シート"},
                      ValueTextCase{Variant(CellErrorValue{2042}), u"Error 2042"}));

TEST(ValueToText, NullAndObjectsAreATypeMismatch) {
    EXPECT_THROW(ValueToText(Variant::Null()), RuntimeError);
    EXPECT_THROW(ValueToText(Variant(ObjectRef{})), RuntimeError);
}

}  // namespace
}  // namespace tabora::conversions
