// A Calc sheet as a worksheet: its name, visibility and cells.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/datatransfer/clipboard/SystemClipboard.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/sheet/CellDeleteMode.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/CellInsertMode.hpp>
#include <com/sun/star/sheet/XCellRangeMovement.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <algorithm>

#include "excel/model/Xl.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/CalcStore.h"
#include "platform/calc/CellValue.h"
#include "platform/calc/PasteOptions.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

namespace {

constexpr sal_Int32 kContents = sheet::CellFlags::VALUE | sheet::CellFlags::DATETIME | sheet::CellFlags::STRING |
                                sheet::CellFlags::FORMULA;

void ClearContents(const RangeRef& range) {
    uno::Reference<sheet::XSheetOperation>(range, uno::UNO_QUERY_THROW)->clearContents(kContents | sheet::CellFlags::ANNOTATION);
}

bool CellCanHold(const Variant& value) {
    switch (value.Type()) {
        case VariantType::Empty:
        case VariantType::Null:
        case VariantType::Boolean:
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double:
        case VariantType::Date:
        case VariantType::String: return true;
        default: return false;
    }
}

// Runs a change the office may refuse (data that would fall off the sheet, a merged area that
// would split): false when it did. An office that has gone is an error all the same.
template <class Change>
bool OfficeTakes(Change&& change) {
    try {
        change();
        return true;
    } catch (const lang::DisposedException&) {
        throw;
    } catch (const uno::Exception&) {
        return false;
    }
}

CellArea AreaOf(const table::CellRangeAddress& a) {
    return {a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1};
}

}  // namespace

SheetRef CalcSheetStore::Sheet() const {
    return SheetRef(document_->sheets->getByName(ToOUString(name_)), uno::UNO_QUERY_THROW);
}

bool CalcSheetStore::Exists() {
    // Checked against the office only once the workbook's sheets changed since the last check.
    if (checkedAt_ == document_->sheetChanges) return true;
    if (!document_->sheets->hasByName(ToOUString(name_))) return false;
    checkedAt_ = document_->sheetChanges;
    return true;
}

bool CalcSheetStore::SameAs(SheetStore& other) {
    auto* calc = dynamic_cast<CalcSheetStore*>(&other);
    return calc != nullptr && calc->document_ == document_ && calc->name_ == name_;
}

std::u16string CalcSheetStore::Name() {
    if (!document_->office->StillRunning()) throw CalcFailure(kErrServerUnavailable);
    return name_;
}

bool CalcSheetStore::SetName(const std::u16string& name) {
    uno::Reference<container::XNamed> named(Sheet(), uno::UNO_QUERY_THROW);
    named->setName(ToOUString(name));
    // Calc ignores a name it does not like without saying so.
    if (ToU16(named->getName()) != name) return false;
    name_ = name;
    checkedAt_ = ++document_->sheetChanges;
    return true;
}

int32_t CalcSheetStore::Visibility() {
    bool visible = true;
    uno::Reference<beans::XPropertySet>(Sheet(), uno::UNO_QUERY_THROW)->getPropertyValue("IsVisible") >>= visible;
    // Calc knows only shown and hidden: very hidden is hidden.
    return visible ? excel::xl::kSheetVisible : excel::xl::kSheetHidden;
}

void CalcSheetStore::SetVisibility(int32_t visibility) {
    uno::Reference<beans::XPropertySet>(Sheet(), uno::UNO_QUERY_THROW)
        ->setPropertyValue("IsVisible", uno::Any(visibility == excel::xl::kSheetVisible));
}

bool CalcSheetStore::IsProtected() { return uno::Reference<util::XProtectable>(Sheet(), uno::UNO_QUERY_THROW)->isProtected(); }

void CalcSheetStore::Protect(const std::u16string& password) {
    // Calc protects a sheet as a whole: its contents, or nothing.
    uno::Reference<util::XProtectable>(Sheet(), uno::UNO_QUERY_THROW)->protect(ToOUString(password));
}

table::CellRangeAddress CalcSheetStore::AddressOf(const CellArea& area) const {
    return table::CellRangeAddress(static_cast<sal_Int16>(SheetIndex(Sheet())), area.left - 1, area.top - 1, area.right - 1,
                                   area.bottom - 1);
}

RangeRef CalcSheetStore::RangeOf(const CellArea& area) const {
    return RangeRef(Sheet()->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1),
                    uno::UNO_SET_THROW);
}

Variant CalcSheetStore::Value(CellAddress cell) {
    return ReadCellValue(document_->document, Sheet()->getCellByPosition(cell.col - 1, cell.row - 1));
}

bool CalcSheetStore::SetValue(const CellArea& area, const Variant& value) {
    if (!CellCanHold(value)) return false;
    const RangeRef range = RangeOf(area);
    for (int32_t r = 0; r < area.Rows(); ++r)
        for (int32_t c = 0; c < area.Columns(); ++c) WriteCellValue(document_->document, range->getCellByPosition(c, r), value);
    return true;
}

CellArea CalcSheetStore::Selection() {
    uno::Reference<view::XSelectionSupplier> supplier(ViewOf(document_->document), uno::UNO_QUERY_THROW);
    RangeRef range(supplier->getSelection(), uno::UNO_QUERY);
    // A drawing object, or several ranges at once: the cell under the cursor is A1 then.
    return range.is() ? AreaOf(calc::AddressOf(range)) : CellArea{};
}

void CalcSheetStore::Select(const CellArea& area) {
    uno::Reference<view::XSelectionSupplier>(ViewOf(document_->document), uno::UNO_QUERY_THROW)->select(uno::Any(RangeOf(area)));
}

void CalcSheetStore::CopyToClipboard(const CellArea& area) {
    // Through Calc's own copy of the selection; the user's sheet in front and selection are put
    // back afterwards, as Excel's Copy leaves them.
    auto view = ViewOf(document_->document);
    uno::Reference<view::XSelectionSupplier> selection(view, uno::UNO_QUERY_THROW);
    SheetRef active = view->getActiveSheet();
    uno::Any previous = selection->getSelection();
    selection->select(uno::Any(RangeOf(area)));
    auto transferable = uno::Reference<datatransfer::XTransferableSupplier>(view, uno::UNO_QUERY_THROW)->getTransferable();
    datatransfer::clipboard::SystemClipboard::create(document_->office->Context())->setContents(transferable, nullptr);
    view->setActiveSheet(active);
    if (previous.hasValue()) selection->select(previous);
}

bool CalcSheetStore::Paste(SheetStore& source, const CellArea& area, CellAddress at, const excel::model::PasteOptions& options) {
    auto& from = dynamic_cast<CalcSheetStore&>(source);
    const bool plain = options.paste == excel::xl::kPasteAll && options.operation == excel::xl::kOperationNone &&
                       !options.skipBlanks && !options.transpose;
    return OfficeTakes([&] {
        if (plain && from.document_ == document_) {
            uno::Reference<sheet::XCellRangeMovement>(Sheet(), uno::UNO_QUERY_THROW)
                ->copyRange(table::CellAddress(static_cast<sal_Int16>(SheetIndex(Sheet())), at.col - 1, at.row - 1),
                            from.AddressOf(area));
            return;
        }
        // Anything else goes the way a user's Paste Special goes: through the clipboard, into
        // the cell selected.
        const CalcPaste paste = TranslatePaste(options.paste, options.operation, options.skipBlanks, options.transpose);
        from.CopyToClipboard(area);
        Select(CellArea::Cell(at));
        const beans::PropertyValue args[] = {
            Property("Flags", uno::Any(ToOUString(paste.flags))),
            Property("FormulaCommand", uno::Any(static_cast<sal_Int16>(paste.operation))),
            Property("SkipEmptyCells", uno::Any(paste.skipBlanks)),
            Property("Transpose", uno::Any(paste.transpose)),
            Property("AsLink", uno::Any(false)),
            Property("MoveMode", uno::Any(static_cast<sal_Int16>(4))),  // overwrite, move nothing
        };
        RunCommand(*document_->office, document_->document, ".uno:InsertContents",
                   uno::Sequence<beans::PropertyValue>(args, std::size(args)));
    });
}

bool CalcSheetStore::Insert(const CellArea& area, bool shiftDown) {
    const sheet::CellInsertMode mode = area.IsWholeColumns() ? sheet::CellInsertMode_COLUMNS
                                       : area.IsWholeRows()  ? sheet::CellInsertMode_ROWS
                                       : shiftDown           ? sheet::CellInsertMode_DOWN
                                                             : sheet::CellInsertMode_RIGHT;
    return OfficeTakes(
        [&] { uno::Reference<sheet::XCellRangeMovement>(Sheet(), uno::UNO_QUERY_THROW)->insertCells(AddressOf(area), mode); });
}

bool CalcSheetStore::Delete(const CellArea& area, bool shiftUp) {
    const sheet::CellDeleteMode mode = area.IsWholeColumns() ? sheet::CellDeleteMode_COLUMNS
                                       : area.IsWholeRows()  ? sheet::CellDeleteMode_ROWS
                                       : shiftUp             ? sheet::CellDeleteMode_UP
                                                             : sheet::CellDeleteMode_LEFT;
    return OfficeTakes(
        [&] { uno::Reference<sheet::XCellRangeMovement>(Sheet(), uno::UNO_QUERY_THROW)->removeRange(AddressOf(area), mode); });
}

void CalcSheetStore::Merge(const CellArea& area) {
    const RangeRef range = RangeOf(area);
    // Excel keeps the first value in reading order, in the top-left cell; Calc would keep the
    // others hidden in the merge.
    auto filled = uno::Reference<sheet::XCellRangesQuery>(range, uno::UNO_QUERY_THROW)->queryContentCells(kContents);
    std::optional<table::CellRangeAddress> first;
    for (const auto& block : filled->getRangeAddresses()) {
        if (!first || block.StartRow < first->StartRow || (block.StartRow == first->StartRow && block.StartColumn < first->StartColumn))
            first = block;
    }
    const table::CellRangeAddress corner = AddressOf(CellArea::Cell(area.TopLeft()));
    if (first && (first->StartRow != corner.StartRow || first->StartColumn != corner.StartColumn)) {
        table::CellRangeAddress kept = *first;
        kept.EndRow = kept.StartRow;
        kept.EndColumn = kept.StartColumn;
        uno::Reference<sheet::XCellRangeMovement>(Sheet(), uno::UNO_QUERY_THROW)
            ->copyRange(table::CellAddress(corner.Sheet, corner.StartColumn, corner.StartRow), kept);
    }
    if (area.Columns() > 1) ClearContents(range->getCellRangeByPosition(1, 0, area.Columns() - 1, 0));
    if (area.Rows() > 1) ClearContents(range->getCellRangeByPosition(0, 1, area.Columns() - 1, area.Rows() - 1));
    uno::Reference<util::XMergeable>(range, uno::UNO_QUERY_THROW)->merge(true);
}

}  // namespace tabora::calc
