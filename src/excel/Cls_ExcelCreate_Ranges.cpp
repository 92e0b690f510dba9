// Borders, fill, clipboard, merge and whole rows and columns of the active sheet. None returns a
// result: a failure is reported (when messages are on) and the steps done so far stay done.
#include "excel/Cls_ExcelCreate.h"

namespace tabora {

ObjectRef Cls_ExcelCreate::RangeOf(AutomationObject& sheet, int32_t row1, int32_t col1, int32_t row2,
                                   int32_t col2) {
    const ObjectRef first = Cell(sheet, row1, col1);
    const ObjectRef second = Cell(sheet, row2, col2);
    return sheet.GetObject(u"Range", {first, second});
}

void Cls_ExcelCreate::DrowCellsLine(int32_t lngA_RowStart, int32_t lngA_RowEnd, int32_t lngA_ColStart,
                                    int32_t lngA_ColEnd, int32_t xlsStyle, int32_t xlsWeight, int32_t xlsBorders) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        RangeOf(*sheet, lngA_RowStart, lngA_ColStart, lngA_RowEnd, lngA_ColEnd)->Call(u"Select");
        objM_Excel->GetObject(u"Selection")->GetObject(u"Borders", {xlsBorders})->Put(u"LineStyle", xlsStyle);
        objM_Excel->GetObject(u"Selection")->GetObject(u"Borders", {xlsBorders})->Put(u"Weight", xlsWeight);
    });
}

void Cls_ExcelCreate::PaintCellColor(int32_t lngA_RowStart, int32_t lngA_RowEnd, int32_t lngA_ColStart,
                                     int32_t lngA_ColEnd, int32_t xlsColor, int32_t xlsPattern) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        RangeOf(*sheet, lngA_RowStart, lngA_ColStart, lngA_RowEnd, lngA_ColEnd)->Call(u"Select");
        objM_Excel->GetObject(u"Selection")->GetObject(u"Interior")->Put(u"ColorIndex", xlsColor);
        objM_Excel->GetObject(u"Selection")->GetObject(u"Interior")->Put(u"Pattern", xlsPattern);
    });
}

void Cls_ExcelCreate::CellCopy(int32_t lngA_RowStart, int32_t lngA_RowEnd, int32_t lngA_ColStart,
                               int32_t lngA_ColEnd) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        RangeOf(*sheet, lngA_RowStart, lngA_ColStart, lngA_RowEnd, lngA_ColEnd)->Call(u"Copy");
    });
}

void Cls_ExcelCreate::CellPaste(int32_t lngRow, int32_t lngCol, int32_t xlsPaste, int32_t xlsOperate,
                                bool blnSkipBlanks, bool blnTranspose) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        RangeOf(*sheet, lngRow, lngCol, lngRow, lngCol)
            ->Call(u"PasteSpecial", {xlsPaste, xlsOperate, blnSkipBlanks, blnTranspose});
    });
}

void Cls_ExcelCreate::CellMerge(int32_t lngA_RowStart, int32_t lngA_ColStart, int32_t lngA_RowEnd,
                                int32_t lngA_ColEnd) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        RangeOf(*sheet, lngA_RowStart, lngA_ColStart, lngA_RowEnd, lngA_ColEnd)->Call(u"Merge");
    });
}

void Cls_ExcelCreate::CopyAndInsert_Col(int32_t lngA_Col, int32_t lngA_NewCol, int32_t lngA_LeftRight) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        sheet->GetObject(u"Columns", {lngA_Col})->Call(u"Copy");
        sheet->GetObject(u"Columns", {lngA_NewCol})->Call(u"Insert", {}, {{u"Shift", lngA_LeftRight}});
    });
}

void Cls_ExcelCreate::CopyAndInsert_Row(int32_t lngA_Row, int32_t lngA_NewRow, int32_t lngA_UpDown) {
    Trapped([&] {
        const ObjectRef sheet = ActiveSheetOfActiveWorkbook();
        sheet->GetObject(u"Rows", {lngA_Row})->Call(u"Copy");
        sheet->GetObject(u"Rows", {lngA_NewRow})->Call(u"Insert", {}, {{u"Shift", lngA_UpDown}});
    });
}

void Cls_ExcelCreate::DeleteCol(int32_t lngA_Col, int32_t lngA_LeftRight) {
    Trapped([&] {
        ActiveSheetOfActiveWorkbook()->GetObject(u"Columns", {lngA_Col})->Call(u"Delete", {}, {{u"Shift", lngA_LeftRight}});
    });
}

void Cls_ExcelCreate::DeleteRow(int32_t lngA_Row, int32_t lngA_UpDown) {
    Trapped([&] {
        ActiveSheetOfActiveWorkbook()->GetObject(u"Rows", {lngA_Row})->Call(u"Delete", {}, {{u"Shift", lngA_UpDown}});
    });
}

}  // namespace tabora
