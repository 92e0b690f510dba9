#include "contract/ExcelContract.h"

#include <map>
#include <memory>

namespace tabora::test {
namespace {

struct Shared {
    std::unique_ptr<ExcelBackend> backend;
    ObjectRef application;
};

// The backend of the suite that runs, by backend name; a suite's tests run one after another.
std::map<std::string, Shared>& SharedBackends() {
    static std::map<std::string, Shared> shared;
    return shared;
}

}  // namespace

void ExcelContract::TearDownTestSuite() {
    for (auto& [name, shared] : SharedBackends()) shared.application.reset();
    SharedBackends().clear();
}

void ExcelContract::SetUp() {
    Shared& shared = SharedBackends()[GetParam().name];
    if (!shared.backend) shared.backend = GetParam().make();
    if (!shared.application) {
        shared.application = shared.backend->Server().CreateApplication();
        shared.application->Put(u"DisplayAlerts", false);
    }
}

void ExcelContract::TearDown() {
    Shared& shared = SharedBackends()[GetParam().name];
    if (!shared.application) return;
    try {
        shared.application->GetObject(u"Workbooks")->Call(u"Close");
    } catch (const RuntimeError&) {
        shared.application.reset();  // a test that ended its application: the next test starts another
    }
}

ExcelBackend& ExcelContract::Backend() { return *SharedBackends()[GetParam().name].backend; }

ObjectRef ExcelContract::Application() { return SharedBackends()[GetParam().name].application; }

ObjectRef ExcelContract::NewWorkbook(const std::vector<std::u16string>& sheetNames) {
    return AddWorkbook(Application(), sheetNames);
}

ObjectRef ExcelContract::OpenedWorkbook(const std::u16string& fileName, const std::vector<std::u16string>& sheetNames) {
    const std::u16string path = Backend().MakeWorkbookFile(fileName, sheetNames);
    return Application()->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
}

}  // namespace tabora::test
