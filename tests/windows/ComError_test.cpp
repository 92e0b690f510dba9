#include "platform/com/ComError.h"

#include <gtest/gtest.h>

namespace tabora::com {
namespace {

struct NumberCase {
    uint32_t hr;
    int32_t number;
};

class ErrorNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ErrorNumberTest, AutomationFacilityGivesTheLowWordComItsVisualBasicNumberOthersTheHresult) {
    EXPECT_EQ(ErrorNumber(static_cast<HRESULT>(GetParam().hr)), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Hresults, ErrorNumberTest,
                         ::testing::Values(NumberCase{0x800A03ECu, 1004}, NumberCase{0x800A01A8u, 424},
                                           NumberCase{0x800A0009u, 9},
                                           NumberCase{0x80020009u, -2147352567},  // DISP_E_EXCEPTION
                                           NumberCase{0x80010001u, -2147418111},  // RPC_E_CALL_REJECTED
                                           NumberCase{0x80004005u, -2147467259},  // E_FAIL
                                           NumberCase{0x8009000Au, static_cast<int32_t>(0x8009000Au)}));

// COM's own failures, as a Visual Basic client numbers them; each has the program's text.
class VisualBasicNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(VisualBasicNumberTest, ComsOwnFailuresTakeVisualBasicsNumberAndText) {
    RuntimeError error = ErrorFromHresult(static_cast<HRESULT>(GetParam().hr));
    EXPECT_EQ(error.Record(), vb_error::Raise(GetParam().number).Record());
    EXPECT_FALSE(error.Record().Description.empty());
}

INSTANTIATE_TEST_SUITE_P(Hresults, VisualBasicNumberTest,
                         ::testing::Values(NumberCase{0x80020006u, 438},  // DISP_E_UNKNOWNNAME
                                           NumberCase{0x80020003u, 438},  // DISP_E_MEMBERNOTFOUND
                                           NumberCase{0x80020004u, 448},  // DISP_E_PARAMNOTFOUND
                                           NumberCase{0x8002000Fu, 449},  // DISP_E_PARAMNOTOPTIONAL
                                           NumberCase{0x8002000Eu, 450},  // DISP_E_BADPARAMCOUNT
                                           NumberCase{0x80020005u, 13},   // DISP_E_TYPEMISMATCH
                                           NumberCase{0x8002000Bu, 9},    // DISP_E_BADINDEX
                                           NumberCase{0x8002000Au, 6},    // DISP_E_OVERFLOW
                                           NumberCase{0x800401F3u, 429},  // CO_E_CLASSSTRING
                                           NumberCase{0x80040154u, 429},  // REGDB_E_CLASSNOTREG
                                           NumberCase{0x800706BAu, 462},  // RPC_S_SERVER_UNAVAILABLE
                                           NumberCase{0x80010007u, 462},  // RPC_E_SERVER_DIED
                                           NumberCase{0x80010012u, 462},  // RPC_E_SERVER_DIED_DNE
                                           // The user closed Excel: the HRESULT, with its automation text.
                                           NumberCase{0x80010108u, -2147417848},  // RPC_E_DISCONNECTED
                                           NumberCase{0x8007000Eu, 7},            // E_OUTOFMEMORY
                                           NumberCase{0x80070005u, 70},           // E_ACCESSDENIED
                                           NumberCase{0x80004002u, 430},          // E_NOINTERFACE
                                           NumberCase{0x80070057u, 5},            // E_INVALIDARG
                                           NumberCase{0x80004001u, 445}));        // E_NOTIMPL

TEST(ComErrorTest, AMissingExcelReadsAsOnTheDesktop) {
    EXPECT_EQ(ErrorFromHresult(CO_E_CLASSSTRING).Record(),
              (ErrorRecord{429, u"ActiveX コンポーネントはオブジェクトを作成できません。", u"Tabora"}));
}

TEST(ComErrorTest, AnAutomationFacilityHresultWithAKnownNumberHasItsDescription) {
    RuntimeError error = ErrorFromHresult(static_cast<HRESULT>(0x800A000Du));
    EXPECT_EQ(error.Record(), (ErrorRecord{13, u"型が一致しません。", u"Tabora"}));
}

TEST(ComErrorTest, AnyOtherHresultHasTheSystemsDescriptionAndASource) {
    RuntimeError error = ErrorFromHresult(E_HANDLE);
    EXPECT_EQ(error.Number(), static_cast<int32_t>(E_HANDLE));
    EXPECT_FALSE(error.Record().Description.empty());
    EXPECT_NE(error.Record().Description.back(), u'\n');
    EXPECT_EQ(error.Record().Source, u"Tabora");
}

struct ExceptionCase {
    const char* name;
    WORD wCode;
    uint32_t scode;
    const wchar_t* description;
    int32_t number;
    const char16_t* expectedDescription = nullptr;  // when the record has none
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
    } else if (GetParam().expectedDescription != nullptr) {
        EXPECT_EQ(error.Record().Description, GetParam().expectedDescription);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExceptionTest,
    ::testing::Values(ExceptionCase{"ExcelScode", 0, 0x800A03ECu, L"アプリケーション定義またはオブジェクト定義のエラーです。", 1004},
                      ExceptionCase{"WCodeWins", 1001, 0x800A03ECu, L"x", 1001},
                      ExceptionCase{"OtherScode", 0, 0x80004005u, L"failed", static_cast<int32_t>(0x80004005u)},
                      ExceptionCase{"NoScodeIsTheInvokeResult", 0, 0, L"?", static_cast<int32_t>(0x80020009u)},
                      ExceptionCase{"NoDescriptionGetsOne", 0, 0x800A0009u, nullptr, 9, u"インデックスが有効範囲にありません。"},
                      ExceptionCase{"WCodeWithoutDescription", 1004, 0, nullptr, 1004,
                                    u"アプリケーション定義またはオブジェクト定義のエラーです。"},
                      ExceptionCase{"ComFailureInTheRecord", 0, 0x80020005u, nullptr, 13, u"型が一致しません。"}),
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
    EXPECT_EQ(ErrorFromException(record.Completed(), DISP_E_EXCEPTION).Record(), (ErrorRecord{1004, u"late", u"Tabora"}));
    record.Completed();
    EXPECT_EQ(fillIns, 1);
}

}  // namespace
}  // namespace tabora::com
