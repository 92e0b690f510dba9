#include "excel/model/Messages.h"

namespace tabora::excel::messages {

namespace {
std::u16string Quoted(std::u16string_view text) { return u"'" + std::u16string(text) + u"'"; }
}  // namespace

std::u16string FileNotFound(std::u16string_view path) {
    return Quoted(path) + u" が見つかりません。ファイル名およびファイルの保存場所が正しいかどうかを確認してください。";
}

std::u16string NotAWorkbook(std::u16string_view path) { return Quoted(path) + u" は、認識できない形式です。"; }

std::u16string CannotOpen(std::u16string_view path) { return Quoted(path) + u" を開けません。"; }

std::u16string SameNameOpen(std::u16string_view workbookName) {
    return Quoted(workbookName) + u" と同じ名前のブックが既に開いています。";
}

std::u16string CannotSaveTo(std::u16string_view path) { return Quoted(path) + u" にアクセスできません。"; }

std::u16string ReadOnlyCannotSave(std::u16string_view workbookName) {
    return Quoted(workbookName) + u" は他のプロセスが使用中のため読み取り専用で開かれています。上書き保存できません。別の名前で保存してください。";
}

std::u16string FormatCannotBeSaved() { return u"この形式では保存できません。"; }

std::u16string LastVisibleSheet() { return u"ブックには少なくとも 1 つの表示されたシートが必要です。"; }

std::u16string StructureProtected() { return u"ブックが保護されているため、変更できません。"; }

}  // namespace tabora::excel::messages
