#pragma once
// The test backend over the in-memory Excel.

#include "support/ExcelBackend.h"
#include "support/FakeExcel.h"
#include "support/FakeExcelErrors.h"
#include "support/TempDir.h"

namespace tabora::test {

class FakeExcelBackend : public ExcelBackend {
public:
    AutomationServer& Server() override { return excel_; }
    std::u16string MakeWorkbookFile(const std::u16string& fileName,
                                    const std::vector<std::u16string>& worksheetNames,
                                    const std::vector<int32_t>& visibility = {}) override;
    std::vector<std::u16string> SavedWorksheetNames(const std::u16string& path) override;
    int RunningInstances() override { return excel_.RunningInstanceCount(); }
    int RunningInstancesOnceAt(int) override { return RunningInstances(); }
    std::u16string ErrorSource() const override { return excel_error::kExcelSource; }

    FakeExcel& Excel() { return excel_; }
    const TempDir& Folder() const { return folder_; }

private:
    TempDir folder_;  // made before and removed after the server, which may still save to it
    FakeExcel excel_;
};

}  // namespace tabora::test
