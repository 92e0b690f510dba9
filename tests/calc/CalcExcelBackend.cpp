#include "calc/CalcExcelBackend.h"

#include "platform/calc/CalcError.h"
#include "support/AutomationCalls.h"

#include <chrono>
#include <thread>

#include "platform/calc/CalcServer.h"

namespace tabora::test {

CalcExcelBackend::CalcExcelBackend() : server_(offices_.MakeServer()) {}

CalcExcelBackend::~CalcExcelBackend() {
    helper_.reset();
    helperServer_.reset();
    server_.reset();
}

ObjectRef CalcExcelBackend::Helper() {
    if (!helper_) {
        helperServer_ = calc::MakeCalcServer();
        helper_ = helperServer_->CreateApplication();
        helper_->Put(u"DisplayAlerts", false);
    }
    return helper_;
}

std::u16string CalcExcelBackend::MakeWorkbookFile(const std::u16string& fileName,
                                                  const std::vector<std::u16string>& worksheetNames,
                                                  const std::vector<int32_t>& visibility) {
    ObjectRef book = AddWorkbook(Helper(), worksheetNames);
    ObjectRef sheets = book->GetObject(u"Worksheets");
    for (size_t i = 0; i < visibility.size(); ++i) {
        if (visibility[i] != -1) sheets->GetObject(u"Item", {static_cast<int32_t>(i + 1)})->Put(u"Visible", visibility[i]);
    }
    const std::u16string path = folder_.File(fileName);
    book->Call(u"SaveAs", {path});
    book->Call(u"Close");
    return path;
}

std::vector<std::u16string> CalcExcelBackend::SavedWorksheetNames(const std::u16string& path) {
    ObjectRef book = Helper()->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
    std::vector<std::u16string> names = WorksheetNamesOf(book);
    book->Call(u"Close");
    return names;
}

std::u16string CalcExcelBackend::ErrorSource() const { return calc::kCalcSource; }

int CalcExcelBackend::RunningInstances() { return static_cast<int>(offices_.Running().size()); }

int CalcExcelBackend::RunningInstancesOnceAt(int awaited) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int count = RunningInstances();
    while (count != awaited && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        count = RunningInstances();
    }
    return count;
}

}  // namespace tabora::test
