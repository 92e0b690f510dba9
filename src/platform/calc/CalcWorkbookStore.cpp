// A Calc document as a workbook: its sheets, saving and closing.
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <osl/file.hxx>
#include <rtl/uri.hxx>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "excel/model/Messages.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/CalcStore.h"
#include "platform/calc/FileFormats.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;
namespace fs = std::filesystem;

CalcWorkbookStore::CalcWorkbookStore(std::shared_ptr<OfficeInstance> office, DocumentRef document)
    : document_(std::make_shared<CalcDocument>()) {
    document_->sheets.set(document->getSheets(), uno::UNO_SET_THROW);
    document_->office = std::move(office);
    document_->document = std::move(document);
}

std::u16string CalcWorkbookStore::NameOf(const DocumentRef& document) {
    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    rtl::OUString url = model->getURL();
    // The file name as Excel gives it: "with space.xls", not the URL's "with%20space.xls".
    if (!url.isEmpty())
        return ToU16(rtl::Uri::decode(url.copy(url.lastIndexOf('/') + 1), rtl_UriDecodeWithCharset, RTL_TEXTENCODING_UTF8));
    uno::Reference<frame::XTitle> title(document, uno::UNO_QUERY);
    return title.is() ? ToU16(title->getTitle()) : std::u16string();
}

std::u16string CalcWorkbookStore::Path() {
    rtl::OUString url = uno::Reference<frame::XModel>(Document(), uno::UNO_QUERY_THROW)->getURL(), path;
    if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return {};
    return ToU16(path);
}

std::vector<excel::model::SheetRef> CalcWorkbookStore::Sheets() {
    // Every sheet's name in one call to the office, and every sheet in one allocation that holds
    // the document once for all of them.
    const uno::Sequence<rtl::OUString> names = document_->sheets->getElementNames();
    struct Block {
        std::shared_ptr<CalcDocument> document;
        std::vector<CalcSheetStore> sheets;
    };
    auto block = std::make_shared<Block>(Block{document_, {}});
    const std::shared_ptr<CalcDocument> borrowed(std::shared_ptr<CalcDocument>(), block->document.get());
    block->sheets.reserve(static_cast<size_t>(names.getLength()));
    std::vector<excel::model::SheetRef> sheets;
    sheets.reserve(static_cast<size_t>(names.getLength()));
    for (const auto& name : names) sheets.emplace_back(block, &block->sheets.emplace_back(borrowed, ToU16(name)));
    return sheets;
}

excel::model::SheetRef CalcWorkbookStore::ActiveSheet() {
    SheetRef sheet = ViewOf(Document())->getActiveSheet();
    if (!sheet.is()) return nullptr;
    return std::make_shared<CalcSheetStore>(document_, ToU16(uno::Reference<container::XNamed>(sheet, uno::UNO_QUERY_THROW)->getName()));
}

void CalcWorkbookStore::Activate(excel::model::SheetStore& sheet) {
    ViewOf(Document())->setActiveSheet(dynamic_cast<CalcSheetStore&>(sheet).Sheet());
}

excel::model::SheetRef CalcWorkbookStore::CopySheet(excel::model::SheetStore& source, int32_t position,
                                                    const std::u16string& name) {
    const uno::Sequence<rtl::OUString> before = document_->sheets->getElementNames();
    ++document_->sheetChanges;
    try {
        document_->sheets->copyByName(ToOUString(source.Name()), ToOUString(name), static_cast<sal_Int16>(position));
    } catch (...) {
        // A copy that failed halfway leaves no sheet behind, under whatever name Calc gave it.
        try {
            for (const auto& sheet : document_->sheets->getElementNames())
                if (std::find(before.begin(), before.end(), sheet) == before.end()) document_->sheets->removeByName(sheet);
        } catch (const uno::Exception&) {
            // the office went: so did the copy
        }
        throw;
    }
    return std::make_shared<CalcSheetStore>(document_, name);
}

void CalcWorkbookStore::DeleteSheet(excel::model::SheetStore& sheet) {
    document_->sheets->removeByName(ToOUString(sheet.Name()));
    ++document_->sheetChanges;
}

bool CalcWorkbookStore::StructureProtected() {
    uno::Reference<util::XProtectable> protectable(Document(), uno::UNO_QUERY);
    return protectable.is() && protectable->isProtected();
}

void CalcWorkbookStore::ProtectStructure(const std::u16string& password) {
    // Calc protects a document's structure only; the protection of its windows is not kept.
    uno::Reference<util::XProtectable>(Document(), uno::UNO_QUERY_THROW)->protect(ToOUString(password));
}

bool CalcWorkbookStore::Modified() { return uno::Reference<util::XModifiable>(Document(), uno::UNO_QUERY_THROW)->isModified(); }

void CalcWorkbookStore::SetModified(bool modified) {
    uno::Reference<util::XModifiable>(Document(), uno::UNO_QUERY_THROW)->setModified(modified);
}

std::optional<int32_t> CalcWorkbookStore::FileFormat() {
    uno::Reference<frame::XModel> model(Document(), uno::UNO_QUERY_THROW);
    if (model->getURL().isEmpty()) return std::nullopt;  // a new workbook, not saved yet
    for (const beans::PropertyValue& arg : model->getArgs()) {
        rtl::OUString filter;
        if (arg.Name == "FilterName" && (arg.Value >>= filter)) return FileFormatOfFilter(ToU16(filter));
    }
    return std::nullopt;
}

void CalcWorkbookStore::SaveAs(const std::u16string& given, int32_t format) {
    const std::optional<std::u16string> filter = ExportFilter(format);
    if (!filter) throw Refused(excel::messages::FormatCannotBeSaved());
    std::error_code ec;
    const fs::path path = fs::absolute(fs::path(ToUtf8(ToOUString(given))), ec).lexically_normal();
    if (ec || !fs::is_directory(path.parent_path(), ec)) throw Refused(excel::messages::CannotSaveTo(given));
    const beans::PropertyValue args[] = {Property("FilterName", uno::Any(ToOUString(*filter))),
                                         Property("Overwrite", uno::Any(true))};
    document_->office->NoteDocument(path.string());
    uno::Reference<frame::XStorable>(Document(), uno::UNO_QUERY_THROW)
        ->storeAsURL(FromUtf8(FileUrl(path)), uno::Sequence<beans::PropertyValue>(args, std::size(args)));
}

void CalcWorkbookStore::Save() {
    uno::Reference<frame::XStorable> storable(Document(), uno::UNO_QUERY_THROW);
    // Opened read-only because another process holds the file: the office's own refusal would
    // name its internals instead.
    if (storable->isReadonly()) throw Refused(excel::messages::ReadOnlyCannotSave(Name()));
    storable->store();
}

void CalcWorkbookStore::Close() {
    uno::Reference<util::XCloseable>(Document(), uno::UNO_QUERY_THROW)->close(true);
    document_->office->DocumentClosed(Document());
}

}  // namespace tabora::calc
