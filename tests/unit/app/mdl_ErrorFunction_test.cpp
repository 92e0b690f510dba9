#include "app/mdl_ErrorFunction.h"

#include <gtest/gtest.h>

#include "platform/Runtime.h"
#include "support/ScriptedMessageBox.h"

namespace tabora {
namespace {

using platform::button::kCancel;
using platform::button::kNo;
using platform::button::kOk;
using platform::button::kYes;

class ErrorFunctionTest : public ::testing::Test {
protected:
    test::ScriptedMessageBox boxes;
    platform::ScopedRuntime runtime{{.messageBox = &boxes}};
};

TEST_F(ErrorFunctionTest, ShowVbErrorShowsNumberDescriptionAndSourceThenClears) {
    ErrorRecord error{91, u"D", u"S"};
    mdl_ErrorFunction::ShowVbError(error);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"91 D\rS");
    EXPECT_EQ(boxes.Shown()[0].title, u"VB Error");
    EXPECT_EQ(boxes.Shown()[0].style, 16);
    EXPECT_EQ(error, ErrorRecord{});
}

TEST_F(ErrorFunctionTest, NegativeNumbersShowTheSignDirectlyBeforeTheDigits) {
    ErrorRecord error{-2147417848, u"オートメーション エラーです。", u"Microsoft Excel"};
    mdl_ErrorFunction::ShowVbError(error);
    EXPECT_EQ(boxes.Shown().at(0).text, u"-2147417848 オートメーション エラーです。\rMicrosoft Excel");
}

struct ConfirmCase {
    int32_t style;
    int16_t answer;
    bool accepted;
};

class ConfirmMessageTest : public ErrorFunctionTest, public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(ConfirmMessageTest, AcceptsOnlyOkAndYes) {
    boxes.Answer(GetParam().answer);
    EXPECT_EQ(mdl_ErrorFunction::ConfirmMessage(GetParam().style, u"以下のSheetを作成しますか？", u"開始の合図"),
              GetParam().accepted);
    EXPECT_EQ(boxes.Shown().at(0).style, GetParam().style);
    EXPECT_EQ(boxes.Shown().at(0).title, u"開始の合図");
}

INSTANTIATE_TEST_SUITE_P(Buttons, ConfirmMessageTest,
                         ::testing::Values(ConfirmCase{36, kYes, true}, ConfirmCase{36, kNo, false},
                                           ConfirmCase{1, kOk, true}, ConfirmCase{1, kCancel, false},
                                           ConfirmCase{3, kCancel, false}));

TEST_F(ErrorFunctionTest, ShowMessageReturnsTheButtonPressed) {
    boxes.Answer(kNo);
    EXPECT_EQ(mdl_ErrorFunction::ShowMessage(36, u"q", u"t"), kNo);
    EXPECT_EQ(mdl_ErrorFunction::ShowMessage(48, u"ｼｰﾄ名が見つかりません。", u"Error"), kOk);
    EXPECT_EQ(boxes.Shown().at(1).text, u"ｼｰﾄ名が見つかりません。");
}

TEST(ErrorFunctionWithoutRuntime, ReportsAMissingMessageBoxServiceAsAnError) {
    ErrorRecord error{5, u"x", u"y"};
    EXPECT_THROW(mdl_ErrorFunction::ShowVbError(error), RuntimeError);
}

}  // namespace
}  // namespace tabora
