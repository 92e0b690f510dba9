#include "excel/model/Application.h"

#include <algorithm>

#include "excel/model/Objects.h"
#include "excel/model/Xl.h"

namespace tabora::excel::model {

namespace {
constexpr int32_t kObjectDeletedNumber = -2147221080;  // 0x800401A8: the object's workbook or sheet is gone
}  // namespace

ObjectRef Application::Create(std::shared_ptr<ApplicationStore> store) {
    return std::make_shared<ApplicationObject>(std::make_shared<Application>(std::move(store)));
}

void Application::SetVisible(bool visible) {
    store_->SetVisible(visible, workbooks_);
    visible_ = visible;
}

bool Application::IsOpen(const WorkbookStore& workbook) const {
    return std::any_of(workbooks_.begin(), workbooks_.end(), [&](const WorkbookRef& open) { return open.get() == &workbook; });
}

void Application::Adopt(WorkbookRef workbook) {
    workbooks_.push_back(workbook);
    Activate(workbook);
}

void Application::Activate(const WorkbookRef& workbook) {
    active_ = workbook;
    if (visible_) store_->ShowWorkbook(*workbook);
}

void Application::Forget(const WorkbookStore& workbook) {
    std::erase_if(workbooks_, [&](const WorkbookRef& open) { return open.get() == &workbook; });
    if (copied_ && copied_->workbook.get() == &workbook) copied_.reset();
    // The window behind the closed one comes to the front: the last one opened.
    if (active_.get() == &workbook) active_ = workbooks_.empty() ? nullptr : workbooks_.back();
}

void Application::Quit() {
    store_->Quit();
    workbooks_.clear();
    active_.reset();
    copied_.reset();
}

RuntimeError Application::Refusal(std::u16string description, int32_t number) const {
    return RuntimeError(number, std::move(description), store_->Name());
}

RuntimeError Application::ObjectDeleted() const {
    return RuntimeError(kObjectDeletedNumber, u"オートメーション エラーです。", store_->Name());
}

}  // namespace tabora::excel::model
