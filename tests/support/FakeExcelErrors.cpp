#include "support/FakeExcelErrors.h"

#include "excel/ExcelTexts.h"

namespace tabora::test::excel_error {

namespace {
ErrorRecord Excel(std::u16string description) {
    return {kApplicationDefined, std::move(description), kExcelSource};
}
}  // namespace

ErrorRecord MethodFailed(std::u16string_view objectClass, std::u16string_view member) {
    return Excel(tabora::excel::MethodFailedText(objectClass, member));
}

ErrorRecord CannotSet(std::u16string_view objectClass, std::u16string_view member) {
    return Excel(tabora::excel::CannotSetText(objectClass, member));
}

ErrorRecord CannotGet(std::u16string_view objectClass, std::u16string_view member) {
    return Excel(tabora::excel::CannotGetText(objectClass, member));
}

ErrorRecord ApplicationDefined() { return Excel(vb_error::Description(kApplicationDefined)); }

ErrorRecord FileNotFound(std::u16string_view path) {
    return Excel(u"'" + std::u16string(path) +
                 u"' が見つかりません。ファイル名およびファイルの保存場所が正しいかどうかを確認してください。");
}

ErrorRecord NotAWorkbook(std::u16string_view path) {
    return Excel(u"'" + std::u16string(path) + u"' は、認識できない形式です。");
}

ErrorRecord SameNameOpen(std::u16string_view workbookName) {
    return Excel(u"'" + std::u16string(workbookName) + u"' と同じ名前のブックが既に開いています。");
}

ErrorRecord CannotSaveTo(std::u16string_view path) {
    return Excel(u"'" + std::u16string(path) + u"' にアクセスできません。");
}

ErrorRecord Program(int32_t number) { return vb_error::Raise(number).Record(); }

ErrorRecord ExcelNotInstalled() { return Program(kCannotCreateObject); }

ErrorRecord ObjectDeleted() { return {kObjectDeleted, u"オートメーション エラーです。", kExcelSource}; }

ErrorRecord Disconnected() { return Program(kDisconnected); }

}  // namespace tabora::test::excel_error
