#pragma once
// What the Calc server's tests share: one office per test suite (a start costs more than most
// tests), a scratch folder, and short ways to call the automation objects.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "excel/AutomationServer.h"
#include "platform/RuntimeError.h"
#include "support/AutomationCalls.h"
#include "support/TempDir.h"

namespace tabora {
// Readable values in failure messages.
void PrintTo(const Variant& value, std::ostream* out);
}  // namespace tabora

namespace tabora::calc::test {

using tabora::test::ErrorOf;
using tabora::test::TempDir;

std::u16string U16(const std::string& utf8);
std::string Utf8(const std::u16string& text);

// Names of every worksheet of a workbook, through the enumeration.
inline std::vector<std::u16string> SheetNamesOf(const ObjectRef& workbook) { return tabora::test::WorksheetNamesOf(workbook); }

// A suite whose tests share one hidden application; each test gets a new workbook of its own.
class OfficeSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static ObjectRef& Application();
    // A new workbook with these sheets, active, closed after the test.
    ObjectRef NewWorkbook(const std::vector<std::u16string>& sheetNames = {u"Sheet1"});
    ObjectRef ActiveSheet() { return Application()->GetObject(u"ActiveSheet"); }
    ObjectRef Cell(int32_t row, int32_t column) { return ActiveSheet()->GetObject(u"Cells", {row, column}); }

    TempDir scratch;

private:
    static std::unique_ptr<AutomationServer>& Server();
};

}  // namespace tabora::calc::test
