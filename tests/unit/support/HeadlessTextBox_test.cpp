// The headless text box stands in for the desktop's in every window test: its events must come
// as the desktop's do.
#include "support/HeadlessTextBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabora::test {
namespace {

class HeadlessTextBoxTest : public ::testing::Test {
protected:
    HeadlessTextBoxTest() {
        change = box.Change.Connect([this] { seen.push_back(box.Text()); });
    }
    HeadlessTextBox box;
    std::vector<std::u16string> seen;  // the text at every Change
    platform::Connection change;
};

TEST_F(HeadlessTextBoxTest, AssignmentRaisesChangeInsideOnlyWhenTheTextChanges) {
    box.SetText(u"abc");
    box.SetText(u"abc");
    box.SetText(u"");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"abc", u""}));
}

TEST_F(HeadlessTextBoxTest, TypingReplacesTheSelectionOneKeystrokeAtATime) {
    box.SetText(u"12345");
    seen.clear();
    box.Select(1, 3);
    box.Type(u"ab");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"1a5", u"1ab5"}));
    EXPECT_EQ(box.SelStart(), 3);
    EXPECT_EQ(box.SelLength(), 0);
    box.Paste(u"xyz");
    EXPECT_EQ(box.Text(), u"1abxyz5");
    EXPECT_EQ(seen.size(), 3u);
    box.Backspace();
    EXPECT_EQ(box.Text(), u"1abxy5");
}

TEST_F(HeadlessTextBoxTest, KeyDownHandlersCanSwallowTheKeyAndValidateCanKeepTheFocus) {
    auto keys = box.KeyDown.Connect([](int16_t& key, int16_t) {
        if (key == 13) key = 0;
    });
    EXPECT_EQ(box.PressKey(13), 0);
    EXPECT_EQ(box.PressKey(65), 65);
    EXPECT_TRUE(box.Leave());
    auto validate = box.Validate.Connect([](bool& cancel) { cancel = true; });
    EXPECT_FALSE(box.Leave());
}

}  // namespace
}  // namespace tabora::test
