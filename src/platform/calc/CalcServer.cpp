#include "platform/calc/CalcServer.h"
#include "platform/calc/ObjectAccess.h"

#include "excel/model/Application.h"
#include "excel/model/Objects.h"
#include "platform/calc/CalcStore.h"
#include "platform/calc/OfficeRetirement.h"
#include "platform/calc/SheetChangeWatch.h"
#include "platform/calc/SpareOffice.h"

namespace tabora::calc {
namespace {

class CalcServer : public AutomationServer {
public:
    explicit CalcServer(CalcServerOptions options) : options_(std::move(options)) {
        if (options_.keepSpare) {
            spare_ = std::make_unique<SpareOffice>(options_.spareReady, options_.officeEnvironment);
            spare_->Prepare();  // the first one while the tool's window comes up
        }
    }

    ObjectRef CreateApplication() override {
        std::shared_ptr<OfficeInstance> office = spare_ ? spare_->Take() : nullptr;
        if (!office) office = OfficeInstance::Start(options_.officeEnvironment);
        if (spare_) spare_->Prepare();
        office->SetPanelRectangle(options_.panel);
        office->AskThrough(options_.ask);
        office->AskThrough(options_.ask);
        office->RetireThrough(retirement_);
        if (options_.officeStarted) options_.officeStarted(office->ProcessId());
        // Excel starts hidden with alerts on; the caller decides from there.
        return excel::model::Application::Create(std::make_shared<CalcStore>(std::move(office)));
    }

    ObjectRef GlobalApplication() override {
        if (!global_) global_ = CreateApplication();
        return global_;
    }

    std::unique_ptr<SheetWatch> WatchSheets(const ObjectRef& application, std::function<void()> changed) override {
        auto* model = dynamic_cast<excel::model::Object*>(application.get());
        if (!options_.postToUserInterface || model == nullptr) return nullptr;
        std::vector<DocumentRef> documents;
        for (const excel::model::WorkbookRef& workbook : model->App().Workbooks())
            if (auto* store = dynamic_cast<CalcWorkbookStore*>(workbook.get())) documents.push_back(store->Document());
        return WatchDocuments(documents, options_.postToUserInterface, std::move(changed));
    }

private:
    CalcServerOptions options_;
    // Goes last: the offices let go of meanwhile end with it.
    std::shared_ptr<OfficeRetirement> retirement_ = std::make_shared<OfficeRetirement>();
    std::unique_ptr<SpareOffice> spare_;
    ObjectRef global_;
};

}  // namespace

std::unique_ptr<AutomationServer> MakeCalcServer(CalcServerOptions options) {
    return std::make_unique<CalcServer>(std::move(options));
}

std::shared_ptr<OfficeInstance> OfficeOf(const ObjectRef& object) {
    auto* model = dynamic_cast<excel::model::Object*>(object.get());
    auto* store = model != nullptr ? dynamic_cast<CalcStore*>(&model->App().Store()) : nullptr;
    return store != nullptr ? store->Office() : nullptr;
}

std::optional<pid_t> OfficeProcessOf(const ObjectRef& application) {
    auto office = OfficeOf(application);
    if (!office) return std::nullopt;
    return office->ProcessId();
}

DocumentRef DocumentOf(const ObjectRef& workbook) {
    auto* model = dynamic_cast<excel::model::WorkbookObject*>(workbook.get());
    auto* store = model != nullptr ? dynamic_cast<CalcWorkbookStore*>(model->Store().get()) : nullptr;
    return store != nullptr ? store->Document() : DocumentRef();
}

}  // namespace tabora::calc
