#pragma once
// Excel's object model as the wrapper uses it, written once and run on every server: the
// in-memory Excel in the unit tests, the Calc server against real offices. Each executable
// instantiates the suites with the backends it has (TABORA_INSTANTIATE_EXCEL_CONTRACT). The
// tests of one suite share one application of their backend (an office's start is the slow
// part); each test gets workbooks of its own, closed after it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "behaviour/WrapperBehaviour.h"
#include "support/AutomationCalls.h"
#include "support/TempDir.h"

namespace tabora::test {

class ExcelContract : public ::testing::TestWithParam<BackendMaker> {
protected:
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    ExcelBackend& Backend();
    ObjectRef Application();
    // A new workbook with these worksheets, active.
    ObjectRef NewWorkbook(const std::vector<std::u16string>& sheetNames = {u"Sheet1"});
    // A workbook file of these worksheets made by the backend, opened.
    ObjectRef OpenedWorkbook(const std::u16string& fileName, const std::vector<std::u16string>& sheetNames);
    ObjectRef ActiveSheet() { return Application()->GetObject(u"ActiveSheet"); }
    ObjectRef Cell(int32_t row, int32_t column) { return ActiveSheet()->GetObject(u"Cells", {row, column}); }

    // The error the application raises as itself (source "Microsoft Excel" or the server's own).
    std::u16string ApplicationSource() { return Backend().ErrorSource(); }

    TempDir scratch;  // where a test saves its workbooks
};

// The contract's suites, each a fixture of its own so that every suite shares one application.
class CellsContract : public ExcelContract {};
class SheetsContract : public ExcelContract {};
class RulesContract : public ExcelContract {};
class WorkbooksContract : public ExcelContract {};

inline std::string BackendName(const ::testing::TestParamInfo<BackendMaker>& info) { return info.param.name; }

#define TABORA_INSTANTIATE_EXCEL_CONTRACT(prefix, makers)                    \
    INSTANTIATE_TEST_SUITE_P(prefix, CellsContract, makers, BackendName);     \
    INSTANTIATE_TEST_SUITE_P(prefix, SheetsContract, makers, BackendName);    \
    INSTANTIATE_TEST_SUITE_P(prefix, RulesContract, makers, BackendName);     \
    INSTANTIATE_TEST_SUITE_P(prefix, WorkbooksContract, makers, BackendName)

}  // namespace tabora::test
