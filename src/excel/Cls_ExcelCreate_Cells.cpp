// Cell values of the active sheet, and column letters and numeric text to numbers.
#include "excel/Cls_ExcelCreate.h"
#include "excel/Conversions.h"

namespace tabora {

ObjectRef Cls_ExcelCreate::ActiveSheetOfActiveWorkbook() { return ActiveWorkbook()->GetObject(u"ActiveSheet"); }

ObjectRef Cls_ExcelCreate::Cell(AutomationObject& sheet, int32_t row, int32_t col) {
    return sheet.GetObject(u"Cells", {row, col});
}

bool Cls_ExcelCreate::SetValue(int32_t lngRow, int32_t lngCol, const std::u16string& strValue) {
    return Trapped([&] { Cell(*ActiveSheetOfActiveWorkbook(), lngRow, lngCol)->Put(u"Value", strValue); });
}

std::u16string Cls_ExcelCreate::GetValue(int32_t lngRow, int32_t lngCol) {
    std::u16string text;
    Trapped([&] {
        text = conversions::ValueToText(Cell(*ActiveSheetOfActiveWorkbook(), lngRow, lngCol)->Get(u"Value"));
    });
    return text;
}

bool Cls_ExcelCreate::SetVal(std::u16string& strCol, int32_t lngRow, const std::u16string& strValue) {
    int32_t column = 0;
    if (!Trapped([&] { column = FncLng_AlphabetToNumber(strCol); })) return false;
    return SetValue(lngRow, column, strValue);
}

std::u16string Cls_ExcelCreate::GetVal(std::u16string& strCol, int32_t lngRow) {
    int32_t column = 0;
    if (!Trapped([&] { column = FncLng_AlphabetToNumber(strCol); })) return {};
    return GetValue(lngRow, column);
}

int32_t Cls_ExcelCreate::FncLng_LetterToNumber(char16_t letter) {
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    if (letter >= u'A' && letter <= u'Z') return letter - u'A' + 1;
    throw vb_error::Raise(vb_error::kTypeMismatch);
}

int32_t Cls_ExcelCreate::FncLng_AlphabetToNumber(std::u16string& strCol) {
    strCol = std::u16string(conversions::TrimBlanks(strCol));
    // A text of digits is the column number itself, whatever its length.
    const bool allDigits = !strCol.empty() && strCol.find_first_not_of(u"0123456789") == std::u16string::npos;
    if (allDigits || (strCol.size() != 1 && strCol.size() != 2)) return toLong(strCol);
    int32_t number = 0;
    for (char16_t c : strCol) number = number * 26 + FncLng_LetterToNumber(c);
    return number;
}

int32_t Cls_ExcelCreate::toLong(const std::u16string& strA_Num) {
    return conversions::ParseWholeNumber(strA_Num).value_or(0);
}

}  // namespace tabora
