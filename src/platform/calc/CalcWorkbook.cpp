#include "platform/calc/CalcWorkbook.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <osl/file.hxx>
#include <rtl/uri.hxx>

#include <filesystem>
#include <system_error>

#include "excel/SaveChangesQuestion.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/CalcSheets.h"
#include "platform/calc/CalcWorksheet.h"
#include "platform/calc/FileFormats.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;
namespace fs = std::filesystem;

Variant CalcWorkbook::ActiveSheetOf(const std::shared_ptr<OfficeInstance>& office, const DocumentRef& document) {
    SheetRef sheet = ViewOf(document)->getActiveSheet();
    if (!sheet.is()) return Variant(ObjectRef());
    return Variant(ObjectRef(std::make_shared<CalcWorksheet>(office, document, sheet)));
}

std::u16string CalcWorkbook::NameOf(const DocumentRef& document) {
    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    rtl::OUString url = model->getURL();
    // The file name as Excel gives it: "with space.xls", not the URL's "with%20space.xls".
    if (!url.isEmpty())
        return ToU16(rtl::Uri::decode(url.copy(url.lastIndexOf('/') + 1), rtl_UriDecodeWithCharset, RTL_TEXTENCODING_UTF8));
    uno::Reference<frame::XTitle> title(document, uno::UNO_QUERY);
    return title.is() ? ToU16(title->getTitle()) : std::u16string();
}

excel::WorkbookGrid CalcWorkbook::GridOf(const DocumentRef& document) {
    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    if (model->getURL().isEmpty()) return excel::kLargeGrid;  // a new workbook, not saved yet
    // Every filter of the old binary family ("MS Excel 97", its template, "MS Excel 95", ...)
    // is named so; the file's name says nothing: an .xls may be saved under any name.
    for (const beans::PropertyValue& arg : model->getArgs()) {
        rtl::OUString filter;
        if (arg.Name == "FilterName" && (arg.Value >>= filter))
            return filter.startsWith("MS Excel ") ? excel::kBinaryGrid : excel::kLargeGrid;
    }
    return excel::kLargeGrid;
}

Variant CalcWorkbook::Dispatch(const MemberCall& call) {
    if ((call.Is(u"Sheets") || call.Is(u"Worksheets")) && call.IsGet()) {
        call.Expect(1);
        ObjectRef sheets = Make<CalcSheets>(document_);
        return call.Has(0) ? sheets->Get(u"Item", {call.Arg(0)}) : Variant(sheets);
    }
    if (call.Is(u"ActiveSheet") && call.IsGet()) return ActiveSheetOf(SharedOffice(), document_);
    if (call.Is(u"Name") && call.IsGet()) return NameOf(document_);
    if (call.Is(u"FullName") && call.IsGet()) {
        rtl::OUString url = uno::Reference<frame::XModel>(document_, uno::UNO_QUERY_THROW)->getURL(), path;
        if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None)
            return NameOf(document_);
        return ToU16(path);
    }
    if (call.Is(u"Saved")) {
        uno::Reference<util::XModifiable> modifiable(document_, uno::UNO_QUERY_THROW);
        if (!call.IsPut()) return !modifiable->isModified();
        modifiable->setModified(!ToBool(call.Value()));
        return {};
    }
    if (call.Is(u"Activate") && !call.IsPut()) {
        Office().MakeActive(document_);
        if (Office().Visible()) Office().ShowDocument(document_);
        return {};
    }
    if (call.Is(u"SaveAs") && !call.IsPut()) {
        SaveAs(call);
        return {};
    }
    if (call.Is(u"Save") && !call.IsPut()) {
        Store();
        return {};
    }
    if (call.Is(u"Close") && !call.IsPut()) {
        Close(call);
        return {};
    }
    if (call.Is(u"Protect") && !call.IsPut()) {
        Protect(call);
        return {};
    }
    if (call.Is(u"ProtectStructure") && call.IsGet()) return StructureProtected(document_);
    NoSuchMember();
}

void CalcWorkbook::SaveAs(const MemberCall& call) {
    call.Expect(12);
    if (!call.Has(0, u"Filename")) throw CalcFailure(kErrWrongArguments);
    SaveTo(ToText(call.Arg(0, u"Filename")), call.Has(1, u"FileFormat") ? ToLong(call.Arg(1, u"FileFormat")) : 0);
}

void CalcWorkbook::SaveTo(const std::u16string& given, int32_t format) {
    std::optional<std::u16string> filter = ExportFilter(given, format);
    if (!filter) throw CalcFailure(kErrRefused, u"この形式では保存できません。");
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(ToUtf8(ToOUString(given))), ec).lexically_normal();
    if (ec || !fs::is_directory(path.parent_path(), ec))
        throw CalcFailure(kErrRefused, u"'" + given + u"' にアクセスできません。");
    const beans::PropertyValue args[] = {Property("FilterName", uno::Any(ToOUString(*filter))),
                                         Property("Overwrite", uno::Any(true))};
    Office().NoteDocument(path.string());
    uno::Reference<frame::XStorable>(document_, uno::UNO_QUERY_THROW)->storeAsURL(FromUtf8(FileUrl(path)), uno::Sequence<beans::PropertyValue>(args, std::size(args)));
}

void CalcWorkbook::Store() {
    uno::Reference<frame::XStorable> storable(document_, uno::UNO_QUERY_THROW);
    // Opened read-only because another process holds the file: the office's own refusal would
    // name its internals instead.
    if (storable->isReadonly())
        throw CalcFailure(kErrRefused, u"'" + NameOf(document_) +
                                           u"' は他のプロセスが使用中のため読み取り専用で開かれています。"
                                           u"上書き保存できません。別の名前で保存してください。");
    storable->store();
}

void CalcWorkbook::Close(const MemberCall& call) {
    call.Expect(3);
    bool save = false;
    if (call.Has(0, u"SaveChanges"))
        save = ToBool(call.Arg(0, u"SaveChanges"));
    else if (Office().displayAlerts && uno::Reference<util::XModifiable>(document_, uno::UNO_QUERY_THROW)->isModified())
        save = AskToSave();
    if (save) {
        if (call.Has(1, u"Filename"))
            SaveTo(ToText(call.Arg(1, u"Filename")), 0);
        else if (uno::Reference<frame::XStorable>(document_, uno::UNO_QUERY_THROW)->hasLocation())
            Store();
        else  // Excel would ask for a file name: closing would lose the workbook
            throw CalcFailure(kErrRefused, u"'" + NameOf(document_) + u"' の保存先がありません。");
    }
    uno::Reference<util::XCloseable>(document_, uno::UNO_QUERY_THROW)->close(true);
    Office().ForgetWorkbook(document_);
}

void CalcWorkbook::Protect(const MemberCall& call) {
    call.Expect(3);
    // Calc protects a document's structure only; the protection of its windows is not kept.
    if (!call.Has(1, u"Structure") || !ToBool(call.Arg(1, u"Structure"))) return;
    const rtl::OUString password =
        call.Has(0, u"Password") ? ToOUString(ToText(call.Arg(0, u"Password"))) : rtl::OUString();
    uno::Reference<util::XProtectable>(document_, uno::UNO_QUERY_THROW)->protect(password);
}

bool CalcWorkbook::AskToSave() {
    DocumentQuestion question;
    question.style = excel::kSaveChangesStyle;
    question.text = excel::SaveChangesQuestion(NameOf(document_));
    question.title = excel::kSaveChangesTitle;
    const int16_t answer = Office().Ask(document_, std::move(question));
    // Cancelled: the workbook stays open, and the Close fails as Excel's does.
    if (answer == platform::button::kCancel)
        throw CalcFailure(kErrRefused, u"Workbook クラスの Close メソッドが失敗しました。");
    return answer == platform::button::kYes;
}

}  // namespace tabora::calc
