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
    ObjectRef app = Application();
    app->Put(u"SheetsInNewWorkbook", static_cast<int32_t>(sheetNames.size()));
    ObjectRef workbook = app->GetObject(u"Workbooks")->Call(u"Add").AsObject();
    ObjectRef sheets = workbook->GetObject(u"Worksheets");
    for (size_t i = 0; i < sheetNames.size(); ++i)
        sheets->GetObject(u"Item", {static_cast<int32_t>(i + 1)})->Put(u"Name", sheetNames[i]);
    return workbook;
}

ObjectRef ExcelContract::OpenedWorkbook(const std::u16string& fileName, const std::vector<std::u16string>& sheetNames) {
    const std::u16string path = Backend().MakeWorkbookFile(fileName, sheetNames);
    return Application()->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
}

std::vector<std::u16string> WorksheetNamesOf(const ObjectRef& workbook) {
    std::vector<std::u16string> names;
    for (const Variant& sheet : workbook->GetObject(u"Worksheets")->Enumerate())
        names.push_back(sheet.AsObject()->Get(u"Name").AsString());
    return names;
}

}  // namespace tabora::test
