#include "support/FakeExcelErrors.h"

#include "excel/model/Messages.h"

namespace tabora::test::excel_error {

namespace {
ErrorRecord Excel(std::u16string description) { return {kApplicationDefined, std::move(description), kExcelSource}; }
}  // namespace

ErrorRecord MethodFailed(std::u16string_view objectClass, std::u16string_view member) {
    return Excel(excel::messages::MethodFailedText(objectClass, member));
}
ErrorRecord CannotSet(std::u16string_view objectClass, std::u16string_view member) {
    return Excel(excel::messages::CannotSetText(objectClass, member));
}
ErrorRecord CannotGet(std::u16string_view objectClass, std::u16string_view member) {
    return Excel(excel::messages::CannotGetText(objectClass, member));
}
ErrorRecord ApplicationDefined() { return Excel(vb_error::Description(kApplicationDefined)); }
ErrorRecord FileNotFound(std::u16string_view path) { return Excel(excel::messages::FileNotFound(path)); }
ErrorRecord NotAWorkbook(std::u16string_view path) { return Excel(excel::messages::NotAWorkbook(path)); }
ErrorRecord SameNameOpen(std::u16string_view workbookName) { return Excel(excel::messages::SameNameOpen(workbookName)); }
ErrorRecord CannotSaveTo(std::u16string_view path) { return Excel(excel::messages::CannotSaveTo(path)); }

ErrorRecord Program(int32_t number) { return vb_error::Raise(number).Record(); }

ErrorRecord ExcelNotInstalled() { return Program(kCannotCreateObject); }

ErrorRecord ObjectDeleted() { return {kObjectDeleted, u"オートメーション エラーです。", kExcelSource}; }

ErrorRecord Disconnected() { return Program(kDisconnected); }

}  // namespace tabora::test::excel_error
