#pragma once
// The test backend over the Calc server: real office processes and real .xls files.

#include <memory>

#include "calc/CalcTestSupport.h"
#include "support/ExcelBackend.h"
#include "support/TempDir.h"

namespace tabora::test {

class CalcExcelBackend : public ExcelBackend {
public:
    CalcExcelBackend();
    ~CalcExcelBackend() override;

    AutomationServer& Server() override { return *server_; }
    // Made by an office of the backend's own, which does not count among the running instances.
    std::u16string MakeWorkbookFile(const std::u16string& fileName,
                                    const std::vector<std::u16string>& worksheetNames,
                                    const std::vector<int32_t>& visibility = {}) override;
    std::vector<std::u16string> SavedWorksheetNames(const std::u16string& path) override;
    int RunningInstances() override;
    int RunningInstancesOnceAt(int awaited) override;
    std::u16string ErrorSource() const override;
    std::vector<pid_t> RunningOffices() const { return offices_.Running(); }

private:
    ObjectRef Helper();

    TempDir folder_;
    calc::test::StartedOffices offices_;
    std::unique_ptr<AutomationServer> server_;
    std::unique_ptr<AutomationServer> helperServer_;
    ObjectRef helper_;
};

}  // namespace tabora::test
