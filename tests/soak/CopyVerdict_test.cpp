// The judge of copy runs must see every way a copy can go wrong, and pass every sound outcome.
#include <gtest/gtest.h>

#include "soak/CopyVerdict.h"

namespace tabora::soak {
namespace {

using Sheets = std::vector<SheetState>;
using Names = std::vector<std::u16string>;

const Sheets kBefore{{u"Sheet1", true}, {u"Hidden", false}, {u"表紙", true}};

struct CopyCase {
    const char* what;
    std::u16string base;
    Names asked;
    Sheets after;
    bool sound;
};

class JudgingCopies : public ::testing::TestWithParam<CopyCase> {};

TEST_P(JudgingCopies, TellsSoundOutcomesFromFaults) {
    const CopyCase& c = GetParam();
    EXPECT_EQ(!JudgeCopy(kBefore, c.base, c.asked, c.after).has_value(), c.sound) << c.what;
}

Sheets With(std::initializer_list<SheetState> added) {
    Sheets sheets = kBefore;
    sheets.insert(sheets.end(), added);
    return sheets;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JudgingCopies,
    ::testing::Values(
        CopyCase{"new names at the end in order", u"Sheet1", {u"A", u"B"}, With({{u"A", true}, {u"B", true}}), true},
        CopyCase{"a name already there is skipped", u"Sheet1", {u"表紙", u"A"}, With({{u"A", true}}), true},
        CopyCase{"a refused name ends the run", u"Sheet1", {u"A", u"a/b", u"B"}, With({{u"A", true}}), true},
        CopyCase{"another letter case is refused", u"Sheet1", {u"sHEET1", u"B"}, With({}), true},
        CopyCase{"a hidden base is copied hidden", u"Hidden", {u"A"}, With({{u"A", false}}), true},
        CopyCase{"a missing base makes nothing", u"Nope", {u"A"}, With({}), true},
        CopyCase{"a name of spaces may be refused", u"Sheet1", {u"   ", u"A"}, With({}), true},
        CopyCase{"the user's sheet renamed", u"Sheet1", {u"A"},
                 Sheets{{u"A", true}, {u"Hidden", false}, {u"表紙", true}, {u"Sheet1 (2)", true}}, false},
        CopyCase{"a hidden sheet shown", u"Hidden", {u"A"},
                 Sheets{{u"Sheet1", true}, {u"Hidden", true}, {u"表紙", true}, {u"A", false}}, false},
        CopyCase{"a user's sheet lost", u"Sheet1", {u"A"}, Sheets{{u"Sheet1", true}, {u"A", true}}, false},
        CopyCase{"a copy left under its own name", u"Sheet1", {u"a/b"}, With({{u"Sheet1 (2)", true}}), false},
        CopyCase{"a new name not made", u"Sheet1", {u"A", u"B"}, With({{u"A", true}}), false},
        CopyCase{"made out of order", u"Sheet1", {u"A", u"B"}, With({{u"B", true}, {u"A", true}}), false},
        CopyCase{"made past a refused name", u"Sheet1", {u"a/b", u"B"}, With({{u"B", true}}), false},
        CopyCase{"made from a missing base", u"Nope", {u"A"}, With({{u"A", true}}), false}));

// Into a workbook whose structure is protected nothing may be copied, nor anything left or lost.
TEST(JudgingProtectedCopies, NothingMayChange) {
    const std::pair<const char*, Sheets> outcomes[] = {
        {"a copy made", With({{u"A", true}})},
        {"a stray copy", With({{u"Sheet1_2", true}})},
        {"a sheet deleted", Sheets{{u"Sheet1", true}, {u"Hidden", false}}},
        {"a sheet renamed", Sheets{{u"A", true}, {u"Hidden", false}, {u"表紙", true}}},
    };
    for (const auto& [what, after] : outcomes) EXPECT_TRUE(JudgeCopy(kBefore, u"Sheet1", {u"A"}, after, true)) << what;
    EXPECT_FALSE(JudgeCopy(kBefore, u"Sheet1", {u"A", u"表紙"}, kBefore, true));
}

TEST(NamesAskedFor, EachNonEmptyLineUpToItsFirstComma) {
    EXPECT_EQ(NamesAskedFor({u"A,x,y", u"", u"   ", u",lead", u"B"}), (Names{u"A", u"   ", u"", u"B"}));
}

}  // namespace
}  // namespace tabora::soak
