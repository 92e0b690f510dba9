#include <algorithm>
#include <functional>

#include "support/FakeArguments.h"
#include "support/FakeCellEditing.h"
#include "support/FakeCellInput.h"
#include "support/FakeExcelErrors.h"
#include "support/FakeObjects.h"
#include "support/FakeStrings.h"

namespace tabora::test {

namespace {
RuntimeError Failed(std::u16string_view member) { return RuntimeError(excel_error::MethodFailed(u"Range", member)); }

// The value every cell of area shares, or Null where they differ.
Variant Common(const FakeSheet& sheet, const CellArea& area, const std::function<int32_t(const FakeCell&)>& read) {
    std::optional<int32_t> shared;
    for (int32_t row = area.top; row <= area.bottom; ++row) {
        for (int32_t col = area.left; col <= area.right; ++col) {
            const int32_t value = read(sheet.Cell(row, col));
            if (shared && *shared != value) return Variant::Null();
            shared = value;
        }
    }
    return Variant(shared.value_or(0));
}

// Whether cells move along the rows for Insert or Delete: whole rows always do, whole columns
// never; a block follows its Shift argument (vertical or horizontal), or without one its shape.
// nullopt for a Shift that is neither.
std::optional<bool> ShiftsVertically(const CellArea& area, const Arguments& args, int32_t vertical, int32_t horizontal) {
    if (area.IsWholeRows()) return true;
    if (area.IsWholeColumns()) return false;
    if (!args.Has(0)) return area.Rows() <= area.Columns();
    const int32_t shift = args.Number(0);
    if (shift != vertical && shift != horizontal) return std::nullopt;
    return shift == vertical;
}

std::u16string Absolute(const CellArea& area) {
    const auto cell = [](int32_t row, int32_t col) {
        return u"$" + ColumnLetters(col) + u"$" + FromUtf8(std::to_string(row));
    };
    if (area.top == area.bottom && area.left == area.right) return cell(area.top, area.left);
    return cell(area.top, area.left) + u":" + cell(area.bottom, area.right);
}
}  // namespace

std::string FakeRangeObject::Describe() const { return "<Range " + ToUtf8(AreaText(area_)) + ">"; }

Variant FakeRangeObject::Dispatch(const Invocation& call) {
    const auto sheet = Sheet();
    Variant result = Run(call, *sheet);
    sheet->Tidy();
    return result;
}

Variant FakeRangeObject::Run(const Invocation& call, FakeSheet& sheet) {
    const std::u16string_view m = call.member;
    if (Is(m, u"Value")) return Value(call, sheet);
    ReadOnly(call);
    if (Is(m, u"Select") || Is(m, u"Activate")) return Select(call);
    if (Is(m, u"Copy")) return Copy(call, sheet);
    if (Is(m, u"PasteSpecial")) return PasteSpecial(call, sheet);
    if (Is(m, u"Merge")) return Merge(call, sheet);
    if (Is(m, u"Insert")) return Insert(call, sheet);
    if (Is(m, u"Delete")) return Delete(call, sheet);
    if (Is(m, u"Borders")) return Borders(call);
    const Arguments none(call, {});
    if (Is(m, u"Interior")) return Make<FakeInteriorObject>(link_, area_);
    if (Is(m, u"Worksheet") || Is(m, u"Parent")) return Make<FakeSheetObject>(link_);
    if (Is(m, u"Row")) return Variant(area_.top);
    if (Is(m, u"Column")) return Variant(area_.left);
    if (Is(m, u"Count")) return Variant(area_.Rows() * area_.Columns());
    if (Is(m, u"Address")) return Variant(Absolute(area_));
    if (Is(m, u"MergeCells")) {
        const auto merged = MergedAreaAt(sheet, {area_.top, area_.left});
        return Variant(merged.has_value() && merged->Contains(area_));
    }
    NoSuchMember();
}

Variant FakeRangeObject::Value(const Invocation& call, FakeSheet& sheet) {
    const Arguments args(call, {u"RangeValueDataType"});
    if (!IsPut(call)) {
        // A block would answer an array, which this double does not model.
        if (area_.Rows() != 1 || area_.Columns() != 1) throw RuntimeError(excel_error::CannotGet(u"Range", u"Value"));
        return sheet.Value(area_.top, area_.left);
    }
    FakeCell written;
    if (!StoreValue(written, args.NewValue())) throw vb_error::Raise(vb_error::kTypeMismatch);
    for (int32_t row = area_.top; row <= area_.bottom; ++row) {
        for (int32_t col = area_.left; col <= area_.right; ++col) {
            FakeCell& cell = sheet.MutableCell(row, col);
            cell.value = written.value;
            cell.formula = written.formula;
        }
    }
    return {};
}

Variant FakeRangeObject::Select(const Invocation& call) {
    const Arguments none(call, {});
    const auto [workbook, sheet] = link_.Lock(*instance_);
    // Only cells of the sheet in front can be selected.
    if (instance_->activeWorkbook != workbook || workbook->activeSheet != sheet) throw Failed(call.member);
    sheet->selection = area_;
    return {};
}

Variant FakeRangeObject::Copy(const Invocation& call, FakeSheet& sheet) {
    const Arguments args(call, {u"Destination"});
    FakeClipboard copied = CopyCells(sheet, area_);
    if (!args.Has(0)) {
        instance_->clipboard = std::move(copied);
        return {};
    }
    const Variant& place = args.Value(0);
    const auto* target = place.IsObject() ? dynamic_cast<const FakeRangeObject*>(place.AsObject().get()) : nullptr;
    if (target == nullptr || target->InstanceState() != instance_) throw Failed(u"Copy");
    const auto targetSheet = target->Link().Lock(*instance_).second;
    if (!PasteCells(*targetSheet, {target->Area().top, target->Area().left}, copied, {})) throw Failed(u"Copy");
    return {};
}

Variant FakeRangeObject::PasteSpecial(const Invocation& call, FakeSheet& sheet) {
    const Arguments args(call, {u"Paste", u"Operation", u"SkipBlanks", u"Transpose"});
    PasteOptions options;
    options.paste = args.NumberOr(0, xl::kPasteAll);
    options.operation = args.NumberOr(1, xl::kOperationNone);
    options.skipBlanks = args.FlagOr(2, false);
    options.transpose = args.FlagOr(3, false);
    const auto& clipboard = instance_->clipboard;
    if (!clipboard || !IsPasteType(options.paste) || !IsPasteOperation(options.operation) ||
        !PasteCells(sheet, {area_.top, area_.left}, *clipboard, options)) {
        throw Failed(u"PasteSpecial");
    }
    const int32_t rows = options.transpose ? clipboard->source.Columns() : clipboard->source.Rows();
    const int32_t cols = options.transpose ? clipboard->source.Rows() : clipboard->source.Columns();
    sheet.selection = {area_.top, area_.left, area_.top + rows - 1, area_.left + cols - 1};
    return {};
}

Variant FakeRangeObject::Merge(const Invocation& call, FakeSheet& sheet) {
    const Arguments args(call, {u"Across"});
    if (!args.FlagOr(0, false)) {
        MergeCells(sheet, area_);
        return {};
    }
    for (int32_t row = area_.top; row <= area_.bottom; ++row) MergeCells(sheet, {row, area_.left, row, area_.right});
    return {};
}

Variant FakeRangeObject::Insert(const Invocation& call, FakeSheet& sheet) {
    const Arguments args(call, {u"Shift", u"CopyOrigin"});
    const auto& clipboard = instance_->clipboard;
    CellArea target = area_;
    if (clipboard) {
        // In copy mode Excel inserts the copied cells, in the shape they were copied.
        const CellArea& source = clipboard->source;
        if (source.IsWholeColumns() != area_.IsWholeColumns() || source.IsWholeRows() != area_.IsWholeRows()) {
            throw Failed(u"Insert");
        }
        target = {area_.top, area_.left, area_.top + source.Rows() - 1, area_.left + source.Columns() - 1};
        if ((!target.IsWholeColumns() && target.bottom > sheet.grid.rows) ||
            (!target.IsWholeRows() && target.right > sheet.grid.columns)) {
            throw Failed(u"Insert");
        }
    }
    const auto down = ShiftsVertically(target, args, xl::kShiftDown, xl::kShiftToRight);
    if (!down || !InsertCells(sheet, target, *down)) throw Failed(u"Insert");
    if (clipboard) {
        PasteCells(sheet, {target.top, target.left}, *clipboard, {});
        instance_->clipboard.reset();  // inserting the copied cells ends the copy mode
    }
    return {};
}

Variant FakeRangeObject::Delete(const Invocation& call, FakeSheet& sheet) {
    const Arguments args(call, {u"Shift"});
    const auto up = ShiftsVertically(area_, args, xl::kShiftUp, xl::kShiftToLeft);
    if (!up || !DeleteCells(sheet, area_, *up)) throw Failed(u"Delete");
    return {};
}

Variant FakeRangeObject::Borders(const Invocation& call) {
    const Arguments args(call, {u"Index"});
    if (!args.Has(0)) return Make<FakeBorderObject>(link_, area_, 0);
    const int32_t index = args.Number(0);
    if (!IsBorderIndex(index)) throw RuntimeError(excel_error::CannotGet(u"Range", u"Borders"));
    return Make<FakeBorderObject>(link_, area_, index);
}

Variant FakeBorderObject::Dispatch(const Invocation& call) {
    const std::u16string_view m = call.member;
    const auto sheet = Sheet();
    if (index_ == 0 && !IsPut(call) && (Is(m, u"Item") || m.empty() || Is(m, u"_Default"))) {
        const int32_t index = Arguments(call, {u"Index"}).Number(0);
        if (!IsBorderIndex(index)) throw RuntimeError(excel_error::CannotGet(u"Borders", u"Item"));
        return Make<FakeBorderObject>(link_, area_, index);
    }
    const bool lineStyle = Is(m, u"LineStyle");
    if (!lineStyle && !Is(m, u"Weight")) NoSuchMember();
    const Arguments args(call, {});
    // The collection stands for the four edges and the inside lines together.
    const std::vector<int32_t> indexes = index_ == 0 ? std::vector<int32_t>{7, 8, 9, 10, 11, 12} : std::vector{index_};
    if (!IsPut(call)) {
        std::optional<int32_t> shared;
        for (int32_t index : indexes) {
            const auto border = GetBorder(*sheet, area_, index);
            const std::optional<int32_t> value =
                border ? std::optional(lineStyle ? border->lineStyle : border->weight) : std::nullopt;
            if (!value || (shared && *shared != *value)) return Variant::Null();
            shared = value;
        }
        return Variant(*shared);
    }
    const int32_t value = Arguments::ToNumber(args.NewValue());
    if (!(lineStyle ? IsLineStyle(value) : IsBorderWeight(value))) throw RuntimeError(excel_error::CannotSet(u"Border", m));
    for (int32_t index : indexes) {
        SetBorder(*sheet, area_, index, lineStyle ? std::optional(value) : std::nullopt,
                  lineStyle ? std::nullopt : std::optional(value));
    }
    sheet->Tidy();
    return {};
}

Variant FakeInteriorObject::Dispatch(const Invocation& call) {
    const std::u16string_view m = call.member;
    const auto sheet = Sheet();
    const bool color = Is(m, u"ColorIndex");
    if (!color && !Is(m, u"Pattern")) NoSuchMember();
    const Arguments args(call, {});
    if (!IsPut(call)) {
        return Common(*sheet, area_, [color](const FakeCell& cell) { return color ? cell.format.colorIndex : cell.format.pattern; });
    }
    const int32_t value = Arguments::ToNumber(args.NewValue());
    if (!(color ? IsColorIndex(value) : IsPattern(value))) throw RuntimeError(excel_error::CannotSet(u"Interior", m));
    SetInterior(*sheet, area_, color ? std::optional(value) : std::nullopt, color ? std::nullopt : std::optional(value));
    sheet->Tidy();
    return {};
}

}  // namespace tabora::test
