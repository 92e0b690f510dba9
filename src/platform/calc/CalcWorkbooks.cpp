#include "platform/calc/CalcWorkbooks.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <osl/file.hxx>

#include <filesystem>
#include <system_error>

#include "platform/calc/CalcError.h"
#include "platform/calc/CalcWorkbook.h"
#include "platform/calc/DocumentAccess.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/LoadActivity.h"
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

std::u16string Quoted(const std::u16string& path) { return u"'" + path + u"'"; }

// The files Excel opens only as workbooks. The office would take one it cannot read as a
// workbook for text and import it, and a later Save would write the user's file over as text.
bool IsWorkbookFileName(const fs::path& path) {
    const std::u16string ext = ToU16(FromUtf8(path.extension().string()));
    for (std::u16string_view workbook : {u".xls", u".xlsx", u".xlsm", u".ods"})
        if (SameName(ext, workbook)) return true;
    return false;
}

template <class T>
T Named(const uno::Sequence<beans::PropertyValue>& properties, const char* name) {
    T value{};
    for (const auto& property : properties)
        if (property.Name.equalsAscii(name)) property.Value >>= value;
    return value;
}

uno::Reference<uno::XInterface> Service(OfficeInstance& office, const char* name) {
    return office.Context()->getServiceManager()->createInstanceWithContext(rtl::OUString::createFromAscii(name),
                                                                            office.Context());
}

// The spreadsheet import filter that the office's type detection names for the file (it reads
// the file's content); empty when it names none or only the text import.
rtl::OUString SpreadsheetFilter(OfficeInstance& office, const std::string& url) {
    uno::Reference<document::XTypeDetection> detection(Service(office, "com.sun.star.document.TypeDetection"), uno::UNO_QUERY_THROW);
    uno::Sequence<beans::PropertyValue> descriptor(1);
    descriptor.getArray()[0] = Property("URL", uno::Any(FromUtf8(url)));
    const rtl::OUString type = detection->queryTypeByDescriptor(descriptor, true);
    if (type.isEmpty()) return {};
    uno::Sequence<beans::PropertyValue> typeProperties;
    uno::Reference<container::XNameAccess>(detection, uno::UNO_QUERY_THROW)->getByName(type) >>= typeProperties;
    rtl::OUString filter = Named<rtl::OUString>(descriptor, "FilterName");
    if (filter.isEmpty()) filter = Named<rtl::OUString>(typeProperties, "PreferredFilter");
    if (filter.isEmpty()) return {};
    uno::Reference<container::XNameAccess> filters(Service(office, "com.sun.star.document.FilterFactory"), uno::UNO_QUERY_THROW);
    uno::Sequence<beans::PropertyValue> filterProperties;
    if (!filters->hasByName(filter) || !(filters->getByName(filter) >>= filterProperties)) return {};
    const bool spreadsheet = Named<rtl::OUString>(filterProperties, "DocumentService") == "com.sun.star.sheet.SpreadsheetDocument";
    const bool textImport = filter.startsWith("Text");
    return spreadsheet && !textImport ? filter : rtl::OUString();
}

// The workbook of this instance that was loaded from (or saved to) the file, if any.
DocumentRef OpenFrom(OfficeInstance& office, const fs::path& path) {
    const rtl::OUString wanted = FromUtf8(path.string());
    for (const auto& document : office.Workbooks()) {
        rtl::OUString url = uno::Reference<frame::XModel>(document, uno::UNO_QUERY_THROW)->getURL(), open;
        if (!url.isEmpty() && osl::FileBase::getSystemPathFromFileURL(url, open) == osl::FileBase::E_None && open == wanted)
            return document;
    }
    return {};
}

std::u16string SheetName(int32_t number) {
    std::string digits = std::to_string(number);
    return u"Sheet" + std::u16string(digits.begin(), digits.end());
}

}  // namespace

Variant CalcWorkbooks::Dispatch(const MemberCall& call) {
    if (call.Is(u"Count") && call.IsGet()) return static_cast<int32_t>(Office().Workbooks().size());
    if (call.Is(u"Item") && call.IsGet()) {
        call.Expect(1);
        return Item(call.Arg(0, u"Index"));
    }
    if (call.Is(u"Open") && !call.IsPut()) return Open(call);
    if (call.Is(u"Add") && !call.IsPut()) return Add();
    if (call.Is(u"Close") && !call.IsPut()) {
        for (const auto& document : std::vector<DocumentRef>(Office().Workbooks()))
            Make<CalcWorkbook>(document)->Call(u"Close", {false});
        return {};
    }
    NoSuchMember();
}

std::vector<Variant> CalcWorkbooks::Items() {
    std::vector<Variant> items;
    for (const auto& document : Office().Workbooks()) items.emplace_back(Make<CalcWorkbook>(document));
    return items;
}

Variant CalcWorkbooks::Item(const Variant& index) {
    const auto& books = Office().Workbooks();
    if (index.Type() == VariantType::String) {
        for (const auto& document : books)
            if (SameName(CalcWorkbook::NameOf(document), index.AsString())) return Variant(Make<CalcWorkbook>(document));
        throw CalcFailure(kErrSubscriptOutOfRange);
    }
    int32_t position = ToLong(index);
    if (position < 1 || position > static_cast<int32_t>(books.size())) throw CalcFailure(kErrSubscriptOutOfRange);
    return Variant(Make<CalcWorkbook>(books[static_cast<size_t>(position - 1)]));
}

Variant CalcWorkbooks::Open(const MemberCall& call) {
    call.Expect(15);
    if (!call.Has(0, u"Filename")) throw CalcFailure(kErrWrongArguments);
    std::u16string given = ToText(call.Arg(0, u"Filename"));
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(ToUtf8(ToOUString(given))), ec);
    if (ec || !fs::is_regular_file(path, ec))
        throw CalcFailure(kErrRefused, Quoted(given) + u" が見つかりません。");
    std::string url = FileUrl(path.lexically_normal());
    // As in Excel, a workbook already open here comes to the front rather than a second,
    // writable copy that would overwrite the first.
    if (DocumentRef open = OpenFrom(Office(), path.lexically_normal()); open.is()) {
        ObjectRef workbook = Make<CalcWorkbook>(open);
        workbook->Call(u"Activate");
        return Variant(workbook);
    }
    rtl::OUString filter;
    if (IsWorkbookFileName(path)) {
        filter = SpreadsheetFilter(Office(), url);
        if (filter.isEmpty())
            throw CalcFailure(kErrRefused, Quoted(given) + u" はファイル形式または拡張子が正しくないため、開くことができません。");
    }
    Office().NoteDocument(path.lexically_normal().string());
    uno::Reference<lang::XComponent> component = Load(Office(), url, false, filter);
    if (!component.is()) {
        // Another office holds the file (its lock file is there): Excel opens it read-only.
        fs::path lock = path.parent_path() / (".~lock." + path.filename().string() + "#");
        if (fs::exists(lock, ec)) component = Load(Office(), url, true, filter);
    }
    if (!component.is()) throw CalcFailure(kErrRefused, Quoted(given) + u" を開けません。");
    DocumentRef document(component, uno::UNO_QUERY);
    if (!document.is()) {
        CloseQuietly(component);
        throw CalcFailure(kErrRefused, Quoted(given) + u" はブックではありません。");
    }
    Office().AddWorkbook(document, path.lexically_normal().string());
    if (Office().Visible()) Office().ShowDocument(document);
    return Variant(Make<CalcWorkbook>(document));
}

Variant CalcWorkbooks::Add() {
    uno::Reference<lang::XComponent> component = Load(Office(), "private:factory/scalc", false, {});
    DocumentRef document(component, uno::UNO_QUERY);
    if (!document.is()) throw CalcFailure(kErrRefused, u"ブックを作成できません。");
    // Excel's new workbook: SheetsInNewWorkbook sheets named Sheet1, Sheet2, ... whatever the
    // office's own language would call them.
    auto sheets = Office().SheetsOf(document);
    int32_t wanted = Office().sheetsInNewWorkbook;
    uno::Reference<container::XIndexAccess> byIndex(sheets, uno::UNO_QUERY_THROW);
    for (int32_t have = byIndex->getCount(); have < wanted; ++have)
        sheets->insertNewByName(ToOUString(u"tabora-new-" + SheetName(have + 1)), static_cast<sal_Int16>(have));
    for (int32_t have = byIndex->getCount(); have > wanted; --have)
        sheets->removeByName(ToOUString(SheetNames(Office(), document).back()));
    for (int32_t i = 0; i < wanted; ++i) {
        uno::Reference<container::XNamed> named(byIndex->getByIndex(i), uno::UNO_QUERY_THROW);
        named->setName(ToOUString(SheetName(i + 1)));
    }
    ViewOf(document)->setActiveSheet(SheetRef(byIndex->getByIndex(0), uno::UNO_QUERY_THROW));
    // Unchanged as far as the user can tell, as Excel's new workbook is.
    uno::Reference<util::XModifiable>(document, uno::UNO_QUERY_THROW)->setModified(false);
    Office().AddWorkbook(document, {});
    if (Office().Visible()) Office().ShowDocument(document);
    return Variant(Make<CalcWorkbook>(document));
}

}  // namespace tabora::calc
