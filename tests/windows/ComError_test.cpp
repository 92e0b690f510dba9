#include "platform/com/ComError.h"

#include <gtest/gtest.h>

namespace tabora::com {
namespace {

struct NumberCase {
    uint32_t hr;
    int32_t number;
};

class ErrorNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ErrorNumberTest, AutomationFacilityGivesTheLowWordOthersTheHresult) {
    EXPECT_EQ(ErrorNumber(static_cast<HRESULT>(GetParam().hr)), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Hresults, ErrorNumberTest,
                         ::testing::Values(NumberCase{0x800A03ECu, 1004}, NumberCase{0x800A01A8u, 424},
                                           NumberCase{0x800A0009u, 9},
                                           NumberCase{0x80020009u, -2147352567},  // DISP_E_EXCEPTION
                                           NumberCase{0x80010001u, -2147418111},  // RPC_E_CALL_REJECTED
                                           NumberCase{0x800401F3u, -2147221005},  // CO_E_CLASSSTRING
                                           NumberCase{0x8009000Au, static_cast<int32_t>(0x8009000Au)}));

TEST(ComErrorTest, AnAutomationFacilityHresultWithAKnownNumberHasItsDescription) {
    RuntimeError error = ErrorFromHresult(static_cast<HRESULT>(0x800A000Du));
    EXPECT_EQ(error.Record(), (ErrorRecord{13, u"型が一致しません。", u"Tabora"}));
}

TEST(ComErrorTest, AnyOtherHresultHasADescription) {
    RuntimeError error = ErrorFromHresult(REGDB_E_CLASSNOTREG);
    EXPECT_EQ(error.Number(), static_cast<int32_t>(REGDB_E_CLASSNOTREG));
    EXPECT_FALSE(error.Record().Description.empty());
    EXPECT_NE(error.Record().Description.back(), u'\n');
}

struct ExceptionCase {
    const char* name;
    WORD wCode;
    uint32_t scode;
    const wchar_t* description;
    int32_t number;
};

class ExceptionTest : public ::testing::TestWithParam<ExceptionCase> {};

TEST_P(ExceptionTest, TheRecordGivesNumberDescriptionAndSource) {
    ExceptionRecord record;
    EXCEPINFO* info = record.Receive();
    info->wCode = GetParam().wCode;
    info->scode = static_cast<SCODE>(GetParam().scode);
    info->bstrSource = SysAllocString(L"Microsoft Excel");
    if (GetParam().description != nullptr) info->bstrDescription = SysAllocString(GetParam().description);
    RuntimeError error = ErrorFromException(record.Completed(), DISP_E_EXCEPTION);
    EXPECT_EQ(error.Number(), GetParam().number);
    EXPECT_EQ(error.Record().Source, u"Microsoft Excel");
    EXPECT_FALSE(error.Record().Description.empty());
    if (GetParam().description != nullptr) {
        EXPECT_EQ(error.Record().Description, reinterpret_cast<const char16_t*>(GetParam().description));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExceptionTest,
    ::testing::Values(ExceptionCase{"ExcelScode", 0, 0x800A03ECu, L"アプリケーション定義またはオブジェクト定義のエラーです。", 1004},
                      ExceptionCase{"WCodeWins", 1001, 0x800A03ECu, L"x", 1001},
                      ExceptionCase{"OtherScode", 0, 0x80004005u, L"failed", static_cast<int32_t>(0x80004005u)},
                      ExceptionCase{"NoScodeIsTheInvokeResult", 0, 0, L"?", static_cast<int32_t>(0x80020009u)},
                      ExceptionCase{"NoDescriptionGetsOne", 0, 0x800A0009u, nullptr, 9}),
    [](const auto& test) { return std::string(test.param.name); });

int fillIns = 0;
HRESULT STDAPICALLTYPE FillIn(EXCEPINFO* info) {
    ++fillIns;
    info->scode = static_cast<SCODE>(0x800A03ECu);
    info->bstrDescription = SysAllocString(L"late");
    return S_OK;
}

TEST(ComErrorTest, TheDeferredFillInRunsOnceBeforeTheRecordIsRead) {
    fillIns = 0;
    ExceptionRecord record;
    record.Receive()->pfnDeferredFillIn = &FillIn;
    EXPECT_EQ(ErrorFromException(record.Completed(), DISP_E_EXCEPTION).Record(), (ErrorRecord{1004, u"late", u""}));
    record.Completed();
    EXPECT_EQ(fillIns, 1);
}

}  // namespace
}  // namespace tabora::com
