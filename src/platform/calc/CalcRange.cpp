#include "platform/calc/CalcRange.h"

#include <com/sun/star/sheet/CellDeleteMode.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/CellInsertMode.hpp>
#include <com/sun/star/sheet/XCellRangeMovement.hpp>
#include <com/sun/star/sheet/XSheetCellRange.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/datatransfer/clipboard/SystemClipboard.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "platform/calc/BorderStyle.h"
#include "platform/calc/CalcBorder.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/CalcInterior.h"
#include "platform/calc/CellValue.h"
#include "platform/calc/PasteOptions.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

namespace {

constexpr int32_t kXlShiftDown = -4121;
constexpr int32_t kXlShiftToRight = -4161;
constexpr int32_t kXlShiftUp = -4162;
constexpr int32_t kXlShiftToLeft = -4159;

int32_t Width(const table::CellRangeAddress& a) { return a.EndColumn - a.StartColumn + 1; }
int32_t Height(const table::CellRangeAddress& a) { return a.EndRow - a.StartRow + 1; }

void ClearContents(const RangeRef& range) {
    using namespace sheet::CellFlags;
    uno::Reference<sheet::XSheetOperation>(range, uno::UNO_QUERY_THROW)
        ->clearContents(VALUE | DATETIME | STRING | FORMULA | ANNOTATION);
}

}  // namespace

SheetRef CalcRange::SheetOfRange() const {
    return SheetRef(uno::Reference<sheet::XSheetCellRange>(range_, uno::UNO_QUERY_THROW)->getSpreadsheet(),
                    uno::UNO_SET_THROW);
}

Variant CalcRange::Dispatch(const MemberCall& call) {
    if (call.Is(u"Value") || call.Is(u"Value2")) {
        auto cell = range_->getCellByPosition(0, 0);
        if (!call.IsPut()) return ReadCellValue(document_, cell);
        table::CellRangeAddress a = Address();
        for (int32_t r = 0; r < Height(a); ++r)
            for (int32_t c = 0; c < Width(a); ++c) WriteCellValue(document_, range_->getCellByPosition(c, r), call.Value());
        return {};
    }
    if (call.Is(u"Row") && call.IsGet()) return Address().StartRow + 1;
    if (call.Is(u"Column") && call.IsGet()) return Address().StartColumn + 1;
    if (call.Is(u"Count") && call.IsGet()) {
        table::CellRangeAddress a = Address();
        if (kind_ == RangeKind::Columns) return Width(a);
        if (kind_ == RangeKind::Rows) return Height(a);
        return static_cast<int32_t>(std::min<int64_t>(int64_t{Width(a)} * Height(a), INT32_MAX));
    }
    if (call.Is(u"Select") && !call.IsPut()) {
        Select();
        return {};
    }
    if (call.Is(u"Copy") && !call.IsPut()) {
        Copy(call);
        return {};
    }
    if (call.Is(u"PasteSpecial") && !call.IsPut()) {
        PasteSpecial(call);
        return {};
    }
    if (call.Is(u"Merge") && !call.IsPut()) {
        Merge();
        return {};
    }
    if (call.Is(u"Insert") && !call.IsPut()) {
        Insert(call);
        return {};
    }
    if (call.Is(u"Delete") && !call.IsPut()) {
        Delete(call);
        return {};
    }
    if (call.Is(u"ClearContents") && !call.IsPut()) {
        ClearContents(range_);
        return {};
    }
    if (call.Is(u"Borders") && call.IsGet()) {
        call.Expect(1);
        int32_t index = call.Has(0) ? ToLong(call.Arg(0)) : 0;
        if (index != 0) EdgeForIndex(index);  // refuses an index Excel does not have
        return Variant(Make<CalcBorder>(range_, index));
    }
    if (call.Is(u"Interior") && call.IsGet()) return Variant(Make<CalcInterior>(range_));
    NoSuchMember();
}

void CalcRange::Select() {
    auto view = ViewOf(document_);
    // Excel selects only on the active sheet.
    if (SheetIndex(view->getActiveSheet()) != Address().Sheet)
        throw CalcFailure(kErrRefused, u"Range クラスの Select メソッドが失敗しました。");
    uno::Reference<view::XSelectionSupplier>(view, uno::UNO_QUERY_THROW)->select(uno::Any(range_));
}

void CalcRange::Copy(const MemberCall& call) {
    call.Expect(1);
    if (call.Has(0, u"Destination")) {
        auto* target = dynamic_cast<CalcRange*>(call.Arg(0, u"Destination").AsObject().get());
        if (target == nullptr) throw CalcFailure(kErrObjectRequired);
        if (target->document_ != document_) throw CalcFailure(kErrRefused, u"別のブックへのコピーはできません。");
        table::CellRangeAddress to = target->Address();
        uno::Reference<sheet::XCellRangeMovement>(target->SheetOfRange(), uno::UNO_QUERY_THROW)
            ->copyRange(table::CellAddress(to.Sheet, to.StartColumn, to.StartRow), Address());
        return;
    }
    // To the office's clipboard through Calc's own copy of the selection; the user's selection
    // is put back afterwards, as Excel's Copy leaves it.
    auto view = ViewOf(document_);
    uno::Reference<view::XSelectionSupplier> selection(view, uno::UNO_QUERY_THROW);
    SheetRef active = view->getActiveSheet();
    uno::Any previous = selection->getSelection();
    selection->select(uno::Any(range_));
    auto transferable = uno::Reference<datatransfer::XTransferableSupplier>(view, uno::UNO_QUERY_THROW)->getTransferable();
    datatransfer::clipboard::SystemClipboard::create(Office().Context())->setContents(transferable, nullptr);
    view->setActiveSheet(active);
    if (previous.hasValue()) selection->select(previous);
    Office().copySource = CopySource{document_, Address(), kind_ == RangeKind::Columns, kind_ == RangeKind::Rows};
}

void CalcRange::PasteSpecial(const MemberCall& call) {
    call.Expect(4);
    auto option = [&](size_t position, const char16_t* name, int32_t fallback) {
        return call.Has(position, name) ? ToLong(call.Arg(position, name)) : fallback;
    };
    auto flag = [&](size_t position, const char16_t* name) {
        return call.Has(position, name) && ToBool(call.Arg(position, name));
    };
    if (!Office().copySource) throw CalcFailure(kErrRefused, u"Range クラスの PasteSpecial メソッドが失敗しました。");
    CalcPaste paste = TranslatePaste(option(0, u"Paste", kXlPasteAll), option(1, u"Operation", kXlPasteOperationNone),
                                     flag(2, u"SkipBlanks"), flag(3, u"Transpose"));
    Select();
    const beans::PropertyValue args[] = {
        Property("Flags", uno::Any(ToOUString(paste.flags))),
        Property("FormulaCommand", uno::Any(static_cast<sal_Int16>(paste.operation))),
        Property("SkipEmptyCells", uno::Any(paste.skipBlanks)),
        Property("Transpose", uno::Any(paste.transpose)),
        Property("AsLink", uno::Any(false)),
        Property("MoveMode", uno::Any(static_cast<sal_Int16>(4))),  // overwrite, move nothing
    };
    RunCommand(Office(), document_, ".uno:InsertContents", uno::Sequence<beans::PropertyValue>(args, std::size(args)));
}

void CalcRange::Merge() {
    table::CellRangeAddress a = Address();
    // Excel keeps the upper-left value only; Calc would keep the others hidden in the merge.
    if (Width(a) > 1) ClearContents(range_->getCellRangeByPosition(1, 0, Width(a) - 1, 0));
    if (Height(a) > 1) ClearContents(range_->getCellRangeByPosition(0, 1, Width(a) - 1, Height(a) - 1));
    uno::Reference<util::XMergeable>(range_, uno::UNO_QUERY_THROW)->merge(true);
}

void CalcRange::Insert(const MemberCall& call) {
    call.Expect(2);
    int32_t shift = call.Has(0, u"Shift") ? ToLong(call.Arg(0, u"Shift")) : 0;
    table::CellRangeAddress at = Address();
    auto movement = uno::Reference<sheet::XCellRangeMovement>(SheetOfRange(), uno::UNO_QUERY_THROW);

    sheet::CellInsertMode mode = kind_ == RangeKind::Columns ? sheet::CellInsertMode_COLUMNS
                                 : kind_ == RangeKind::Rows  ? sheet::CellInsertMode_ROWS
                                 : shift == kXlShiftToRight  ? sheet::CellInsertMode_RIGHT
                                                             : sheet::CellInsertMode_DOWN;
    if (shift != 0 && shift != kXlShiftDown && shift != kXlShiftToRight) throw CalcFailure(kErrRefused);

    std::optional<CopySource> copied = Office().copySource;
    if (copied && copied->document != document_) copied.reset();
    table::CellRangeAddress insert = at;
    if (copied) {
        // Excel inserts the copied cells: room of the copy's size, then the copy into it.
        insert.EndColumn = insert.StartColumn + Width(copied->address) - 1;
        insert.EndRow = insert.StartRow + Height(copied->address) - 1;
        if (kind_ == RangeKind::Columns) insert.EndRow = at.EndRow;
        if (kind_ == RangeKind::Rows) insert.EndColumn = at.EndColumn;
    }
    movement->insertCells(insert, mode);
    if (!copied) return;
    table::CellRangeAddress source = copied->address;
    if (source.Sheet == insert.Sheet) {
        bool columnsMoved = mode == sheet::CellInsertMode_COLUMNS || mode == sheet::CellInsertMode_RIGHT;
        if (columnsMoved && source.StartColumn >= insert.StartColumn) {
            source.StartColumn += Width(insert);
            source.EndColumn += Width(insert);
        } else if (!columnsMoved && source.StartRow >= insert.StartRow) {
            source.StartRow += Height(insert);
            source.EndRow += Height(insert);
        }
    }
    movement->copyRange(table::CellAddress(insert.Sheet, insert.StartColumn, insert.StartRow), source);
    Office().copySource.reset();  // as Excel ends its copy mode after inserting
}

void CalcRange::Delete(const MemberCall& call) {
    call.Expect(1);
    int32_t shift = call.Has(0, u"Shift") ? ToLong(call.Arg(0, u"Shift")) : 0;
    if (shift != 0 && shift != kXlShiftUp && shift != kXlShiftToLeft) throw CalcFailure(kErrRefused);
    sheet::CellDeleteMode mode = kind_ == RangeKind::Columns ? sheet::CellDeleteMode_COLUMNS
                                 : kind_ == RangeKind::Rows  ? sheet::CellDeleteMode_ROWS
                                 : shift == kXlShiftToLeft   ? sheet::CellDeleteMode_LEFT
                                                             : sheet::CellDeleteMode_UP;
    uno::Reference<sheet::XCellRangeMovement>(SheetOfRange(), uno::UNO_QUERY_THROW)->removeRange(Address(), mode);
}

}  // namespace tabora::calc
