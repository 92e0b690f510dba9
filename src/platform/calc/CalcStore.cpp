// The office instance as the application's store: opening and adding workbooks, showing them.
#include "platform/calc/CalcStore.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <filesystem>
#include <system_error>

#include "excel/CaseFolding.h"
#include "excel/SaveChangesQuestion.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/FilePicker.h"
#include "platform/calc/LoadActivity.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;
namespace fs = std::filesystem;

namespace {

uno::Reference<lang::XComponent> Load(OfficeInstance& office, const std::string& url, bool readOnly,
                                      const rtl::OUString& filter) {
    LoadInProgress loading;
    std::vector<beans::PropertyValue> args = {Property("Hidden", uno::Any(true))};
    if (readOnly) args.push_back(Property("ReadOnly", uno::Any(true)));
    if (!filter.isEmpty()) args.push_back(Property("FilterName", uno::Any(filter)));
    return office.Desktop()->loadComponentFromURL(FromUtf8(url), "_blank", 0,
                                                  uno::Sequence<beans::PropertyValue>(args.data(), args.size()));
}

void CloseQuietly(const uno::Reference<lang::XComponent>& component) {
    uno::Reference<util::XCloseable> closeable(component, uno::UNO_QUERY);
    if (closeable.is()) closeable->close(true);
}

// The files Excel opens only as workbooks. The office would take one it cannot read as a
// workbook for text and import it, and a later Save would write the user's file over as text.
bool IsWorkbookFileName(const fs::path& path) {
    const std::u16string ext = ToU16(FromUtf8(path.extension().string()));
    for (std::u16string_view workbook : {u".xls", u".xlsx", u".xlsm", u".ods"})
        if (excel::EqualsIgnoringCase(ext, workbook)) return true;
    return false;
}

template <class T>
T Named(const uno::Sequence<beans::PropertyValue>& properties, const char* name) {
    T value{};
    for (const auto& property : properties)
        if (property.Name.equalsAscii(name)) property.Value >>= value;
    return value;
}

// The spreadsheet import filter that the office's type detection names for the file (it reads
// the file's content); empty when it names none or only the text import.
rtl::OUString SpreadsheetFilter(OfficeInstance& office, const std::string& url) {
    uno::Reference<document::XTypeDetection> detection(office.CreateService("com.sun.star.document.TypeDetection"),
                                                       uno::UNO_QUERY_THROW);
    uno::Sequence<beans::PropertyValue> descriptor(1);
    descriptor.getArray()[0] = Property("URL", uno::Any(FromUtf8(url)));
    const rtl::OUString type = detection->queryTypeByDescriptor(descriptor, true);
    if (type.isEmpty()) return {};
    uno::Sequence<beans::PropertyValue> typeProperties;
    uno::Reference<container::XNameAccess>(detection, uno::UNO_QUERY_THROW)->getByName(type) >>= typeProperties;
    rtl::OUString filter = Named<rtl::OUString>(descriptor, "FilterName");
    if (filter.isEmpty()) filter = Named<rtl::OUString>(typeProperties, "PreferredFilter");
    if (filter.isEmpty()) return {};
    uno::Reference<container::XNameAccess> filters(office.CreateService("com.sun.star.document.FilterFactory"),
                                                   uno::UNO_QUERY_THROW);
    uno::Sequence<beans::PropertyValue> filterProperties;
    if (!filters->hasByName(filter) || !(filters->getByName(filter) >>= filterProperties)) return {};
    const bool spreadsheet = Named<rtl::OUString>(filterProperties, "DocumentService") == "com.sun.star.sheet.SpreadsheetDocument";
    const bool textImport = filter.startsWith("Text");
    return spreadsheet && !textImport ? filter : rtl::OUString();
}

DocumentRef DocumentOf(excel::model::WorkbookStore& workbook) {
    return dynamic_cast<CalcWorkbookStore&>(workbook).Document();
}

}  // namespace

std::u16string CalcStore::Name() { return kCalcSource; }

CalcStore::Opened CalcStore::Open(const std::u16string& given) {
    std::error_code ec;
    const fs::path path = fs::absolute(fs::path(ToUtf8(ToOUString(given))), ec).lexically_normal();
    if (ec || !fs::is_regular_file(path, ec)) return {nullptr, OpenProblem::NotFound};
    const std::string url = FileUrl(path);
    rtl::OUString filter;
    if (IsWorkbookFileName(path)) {
        filter = SpreadsheetFilter(*office_, url);
        if (filter.isEmpty()) return {nullptr, OpenProblem::NotAWorkbook};
    }
    office_->NoteDocument(path.string());
    uno::Reference<lang::XComponent> component = Load(*office_, url, false, filter);
    if (!component.is()) {
        // Another office holds the file (its lock file is there): Excel opens it read-only.
        const fs::path lock = path.parent_path() / (".~lock." + path.filename().string() + "#");
        if (fs::exists(lock, ec)) component = Load(*office_, url, true, filter);
    }
    if (!component.is()) return {nullptr, OpenProblem::CannotOpen};
    DocumentRef document(component, uno::UNO_QUERY);
    if (!document.is()) {
        CloseQuietly(component);
        return {nullptr, OpenProblem::NotAWorkbook};
    }
    office_->DocumentOpened();
    return {std::make_shared<CalcWorkbookStore>(office_, document), OpenProblem::None};
}

excel::model::WorkbookRef CalcStore::Add(const std::vector<std::u16string>& sheetNames) {
    DocumentRef document(Load(*office_, "private:factory/scalc", false, {}), uno::UNO_QUERY);
    if (!document.is()) throw CalcFailure(kErrRefused, u"ブックを作成できません。");
    // The names Excel gives, whatever the office's own language would call them.
    auto sheets = document->getSheets();
    uno::Reference<container::XIndexAccess> byIndex(sheets, uno::UNO_QUERY_THROW);
    const auto wanted = static_cast<int32_t>(sheetNames.size());
    for (int32_t have = byIndex->getCount(); have < wanted; ++have)
        sheets->insertNewByName(ToOUString(u"tabora-new-" + sheetNames[static_cast<size_t>(have)]), static_cast<sal_Int16>(have));
    for (int32_t have = byIndex->getCount(); have > wanted; --have)
        sheets->removeByName(uno::Reference<container::XNamed>(byIndex->getByIndex(have - 1), uno::UNO_QUERY_THROW)->getName());
    for (int32_t i = 0; i < wanted; ++i)
        uno::Reference<container::XNamed>(byIndex->getByIndex(i), uno::UNO_QUERY_THROW)->setName(ToOUString(sheetNames[static_cast<size_t>(i)]));
    ViewOf(document)->setActiveSheet(SheetRef(byIndex->getByIndex(0), uno::UNO_QUERY_THROW));
    // Unchanged as far as the user can tell, as Excel's new workbook is.
    uno::Reference<util::XModifiable>(document, uno::UNO_QUERY_THROW)->setModified(false);
    office_->DocumentOpened();
    return std::make_shared<CalcWorkbookStore>(office_, document);
}

void CalcStore::SetVisible(bool visible, const std::vector<excel::model::WorkbookRef>& workbooks) {
    for (const auto& workbook : workbooks) {
        if (visible)
            office_->ShowDocument(DocumentOf(*workbook));
        else
            office_->HideDocument(DocumentOf(*workbook));
    }
    office_->SetShown(visible);
}

void CalcStore::ShowWorkbook(excel::model::WorkbookStore& workbook) { office_->ShowDocument(DocumentOf(workbook)); }

excel::model::SaveAnswer CalcStore::AskToSaveChanges(excel::model::WorkbookStore& workbook) {
    DocumentQuestion question;
    question.style = excel::kSaveChangesStyle;
    question.text = excel::SaveChangesQuestion(workbook.Name());
    question.title = excel::kSaveChangesTitle;
    switch (office_->Ask(DocumentOf(workbook), std::move(question))) {
        case platform::button::kYes: return excel::model::SaveAnswer::Save;
        case platform::button::kNo: return excel::model::SaveAnswer::DontSave;
        default: return excel::model::SaveAnswer::Cancel;
    }
}

std::optional<std::u16string> CalcStore::GetOpenFilename(const std::u16string& filter, const std::u16string& title) {
    return PickFileToOpen(*office_, filter, title);
}

void CalcStore::Quit() { office_->Quit(); }

void CalcStore::RethrowAsAutomationError() { office_->RethrowAsAutomationError(); }

}  // namespace tabora::calc
