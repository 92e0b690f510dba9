#include "support/FakeExcel.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "excel/model/Object.h"
#include "support/FakeExcelCore.h"
#include "support/FakeProxy.h"

namespace tabora::test {

FakeExcel::FakeExcel() : core_(std::make_shared<FakeExcelCore>()) {}

FakeExcel::~FakeExcel() = default;

namespace {
// The Application object of a new instance over its store, and the instance's model kept.
ObjectRef Start(FakeExcelCore& core, const std::shared_ptr<FakeInstance>& instance) {
    instance->openFilenameAnswers = &core.openFilenameAnswers;
    ObjectRef application = excel::model::Application::Create(instance);
    auto model = dynamic_cast<excel::model::Object&>(*application).SharedApp();
    instance->model = model;
    core.models.push_back(std::move(model));
    return application;
}
}  // namespace

ObjectRef FakeExcel::CreateApplication() {
    if (createFailure_) throw RuntimeError(*createFailure_);
    auto instance = std::make_shared<FakeInstance>();
    instance->id = static_cast<int>(core_->instances.size()) + 1;
    core_->instances.push_back(instance);
    return std::make_shared<FakeProxy>(core_, instance, Start(*core_, instance));
}

ObjectRef FakeExcel::GlobalApplication() {
    if (!global_) {
        core_->global = std::make_shared<FakeInstance>();
        core_->global->userControl = true;  // kept for the program's life
        globalModel_ = Start(*core_, core_->global);
        global_ = std::make_shared<FakeProxy>(core_, core_->global, globalModel_);
    }
    return std::make_shared<FakeProxy>(core_, core_->global, globalModel_);
}

void FakeExcel::AnswerOpenFilename(Variant answer) { core_->openFilenameAnswers.push_back(std::move(answer)); }

void FakeExcel::FailCall(CallMatcher matcher, ErrorRecord error) { core_->failures.Add(std::move(matcher), std::move(error)); }

void FakeExcel::FailEverything(ErrorRecord error) { core_->failures.FailEverything(std::move(error)); }

void FakeExcel::DuringCall(CallMatcher matcher, std::function<void()> action) {
    core_->duringCalls.Add(std::move(matcher), std::move(action));
}

void FakeExcel::ClearFailures() {
    core_->failures.Clear();
    createFailure_.reset();
}

const std::vector<RecordedCall>& FakeExcel::Calls() const { return core_->calls; }

std::vector<std::string> FakeExcel::CallTexts() const {
    std::vector<std::string> texts;
    for (const RecordedCall& call : core_->calls) texts.push_back(call.text);
    return texts;
}

std::vector<std::u16string> FakeExcel::Members() const {
    std::vector<std::u16string> members;
    for (const RecordedCall& call : core_->calls) members.push_back(call.member);
    return members;
}

void FakeExcel::ClearCalls() { core_->calls.clear(); }

FakeInstance& FakeExcel::Instance(int id) {
    return const_cast<FakeInstance&>(std::as_const(*this).Instance(id));
}

const FakeInstance& FakeExcel::Instance(int id) const {
    if (id == 0 && core_->global) return *core_->global;
    if (id < 1 || id > InstanceCount()) throw std::out_of_range("FakeExcel has no instance " + std::to_string(id));
    return *core_->instances[static_cast<size_t>(id - 1)];
}

int FakeExcel::InstanceCount() const { return static_cast<int>(core_->instances.size()); }

int FakeExcel::RunningInstanceCount() const {
    return static_cast<int>(std::count_if(core_->instances.begin(), core_->instances.end(),
                                          [](const auto& instance) { return !instance->ended; }));
}

int FakeExcel::LiveReferences() const { return core_->liveReferences - (global_ ? 1 : 0); }

int FakeExcel::LiveReferences(int instance) const {
    return Instance(instance).liveReferences - (instance == 0 && global_ ? 1 : 0);
}

}  // namespace tabora::test
