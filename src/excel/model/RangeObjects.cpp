// Range, Borders and Interior: values, selection, copy mode, insert and delete, formats.
#include <algorithm>
#include <climits>
#include <span>

#include "excel/ArgumentConversion.h"
#include "excel/model/Messages.h"
#include "excel/model/Objects.h"
#include "excel/model/Xl.h"

namespace tabora::excel::model {

void AreaObject::CheckExists() const {
    if (!App().IsOpen(*workbook_) || !sheet_->Exists()) throw App().ObjectDeleted();
}

struct RangeMembers {
    using R = RangeObject;
    static constexpr Member<R> kTable[] = {
        {u"Value", {u"RangeValueDataType"}, &R::Value, &R::SetValue},
        {u"Row", {}, &R::Row},
        {u"Column", {}, &R::Column},
        {u"Count", {}, &R::Count},
        {u"Address", {}, &R::Address},
        {u"Select", {}, &R::Select},
        {u"Activate", {}, &R::Select},
        {u"Copy", {u"Destination"}, &R::Copy},
        {u"PasteSpecial", {u"Paste", u"Operation", u"SkipBlanks", u"Transpose"}, &R::PasteSpecial},
        {u"Merge", {u"Across"}, &R::Merge},
        {u"Insert", {u"Shift", u"CopyOrigin"}, &R::Insert},
        {u"Delete", {u"Shift"}, &R::Delete},
        {u"Borders", {u"Index"}, &R::Borders},
        {u"Interior", {}, &R::Interior},
    };
};

Variant RangeObject::Dispatch(const Invocation& call) { return DispatchTo<RangeObject>(*this, RangeMembers::kTable, call); }

std::u16string RangeObject::Describe() const { return u"<Range " + AreaText(area_) + u">"; }

void RangeObject::Fail(std::u16string_view member) const { throw App().Refusal(messages::MethodFailedText(u"Range", member)); }

bool RangeObject::InFront() const {
    if (App().ActiveWorkbook() != workbook_) return false;
    SheetRef front = workbook_->ActiveSheet();
    return front && front->SameAs(*sheet_);
}

Variant RangeObject::Value(const Arguments&) {
    // A block would answer an array, which nothing here reads.
    if (!area_.IsSingleCell()) throw App().Refusal(messages::CannotGetText(u"Range", u"Value"));
    return sheet_->Value(area_.TopLeft());
}

void RangeObject::SetValue(const Arguments& args) {
    if (!sheet_->SetValue(area_, args.NewValue())) throw vb_error::Raise(vb_error::kTypeMismatch);
}

Variant RangeObject::Row(const Arguments&) { return area_.top; }
Variant RangeObject::Column(const Arguments&) { return area_.left; }

Variant RangeObject::Count(const Arguments&) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{area_.Rows()} * area_.Columns(), INT32_MAX));
}

Variant RangeObject::Address(const Arguments&) { return AreaText(area_, true); }

Variant RangeObject::Select(const Arguments&) {
    // Only cells of the sheet in front can be selected.
    if (!InFront()) Fail(u"Select");
    sheet_->Select(area_);
    return {};
}

Variant RangeObject::Copy(const Arguments& args) {
    if (!args.Has(0)) {
        App().SetCopied(Application::CopyMode{workbook_, sheet_, area_});
        sheet_->CopyToClipboard(area_);
        return {};
    }
    const Variant& place = args.Value(0);
    const auto* target = place.IsObject() ? dynamic_cast<const RangeObject*>(place.AsObject().get()) : nullptr;
    if (target == nullptr || &target->App() != &App() ||
        !target->Sheet()->Paste(*sheet_, area_, target->Area().TopLeft(), PasteOptions{}))
        Fail(u"Copy");
    return {};
}

Variant RangeObject::PasteSpecial(const Arguments& args) {
    PasteOptions options;
    options.paste = args.NumberOr(0, xl::kPasteAll);
    options.operation = args.NumberOr(1, xl::kOperationNone);
    options.skipBlanks = args.FlagOr(2, false);
    options.transpose = args.FlagOr(3, false);
    const auto& copied = App().Copied();
    if (!copied || !copied->sheet->Exists() || !xl::IsPasteType(options.paste) || !xl::IsPasteOperation(options.operation) ||
        !InFront() || !sheet_->Paste(*copied->sheet, copied->area, area_.TopLeft(), options))
        Fail(u"PasteSpecial");
    const int32_t rows = options.transpose ? copied->area.Columns() : copied->area.Rows();
    const int32_t cols = options.transpose ? copied->area.Rows() : copied->area.Columns();
    sheet_->Select({area_.top, area_.left, area_.top + rows - 1, area_.left + cols - 1});
    return {};
}

Variant RangeObject::Merge(const Arguments& args) {
    if (!args.FlagOr(0, false)) {
        sheet_->Merge(area_);
        return {};
    }
    for (int32_t row = area_.top; row <= area_.bottom; ++row) sheet_->Merge({row, area_.left, row, area_.right});
    return {};
}

namespace {
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
}  // namespace

Variant RangeObject::Insert(const Arguments& args) {
    std::optional<Application::CopyMode> copied = App().Copied();
    if (copied && !copied->sheet->Exists()) copied.reset();
    CellArea target = area_;
    if (copied) {
        // In copy mode Excel inserts the copied cells, in the shape they were copied.
        const CellArea& source = copied->area;
        if (source.IsWholeColumns() != area_.IsWholeColumns() || source.IsWholeRows() != area_.IsWholeRows()) Fail(u"Insert");
        target = {area_.top, area_.left, area_.top + source.Rows() - 1, area_.left + source.Columns() - 1};
        if (!target.OnGrid(Application::GridOf(*workbook_))) Fail(u"Insert");
    }
    const auto down = ShiftsVertically(target, args, xl::kShiftDown, xl::kShiftToRight);
    if (!down || !sheet_->Insert(target, *down)) Fail(u"Insert");
    if (!copied) return {};
    // A source at or beyond the insertion point has moved with the cells.
    CellArea source = copied->area;
    if (copied->sheet->SameAs(*sheet_)) {
        if (*down && !target.IsWholeColumns() && source.top >= target.top && source.left >= target.left &&
            source.right <= target.right) {
            source.top += target.Rows();
            source.bottom += target.Rows();
        } else if (!*down && !target.IsWholeRows() && source.left >= target.left && source.top >= target.top &&
                   source.bottom <= target.bottom) {
            source.left += target.Columns();
            source.right += target.Columns();
        }
    }
    sheet_->Paste(*copied->sheet, source, target.TopLeft(), PasteOptions{});
    App().SetCopied(std::nullopt);  // inserting the copied cells ends the copy mode
    return {};
}

Variant RangeObject::Delete(const Arguments& args) {
    const auto up = ShiftsVertically(area_, args, xl::kShiftUp, xl::kShiftToLeft);
    if (!up || !sheet_->Delete(area_, *up)) Fail(u"Delete");
    return {};
}

Variant RangeObject::Borders(const Arguments& args) {
    if (!args.Has(0)) return Make<BorderObject>(workbook_, sheet_, area_, 0);
    const int32_t index = args.Number(0);
    if (!xl::IsBorderIndex(index)) throw App().Refusal(messages::CannotGetText(u"Range", u"Borders"));
    return Make<BorderObject>(workbook_, sheet_, area_, index);
}

Variant RangeObject::Interior(const Arguments&) { return Make<InteriorObject>(workbook_, sheet_, area_); }

struct BorderMembers {
    using B = BorderObject;
    static constexpr Member<B> kTable[] = {
        {u"Item", {u"Index"}, &B::Item},
        {u"LineStyle", {}, &B::LineStyle, &B::SetLineStyle},
        {u"Weight", {}, &B::Weight, &B::SetWeight},
    };
};

Variant BorderObject::Dispatch(const Invocation& call) { return DispatchTo<BorderObject>(*this, BorderMembers::kTable, call); }

Variant BorderObject::Item(const Arguments& args) {
    const int32_t index = args.Number(0);
    if (index_ != 0) throw vb_error::Raise(vb_error::kMemberNotFound);
    if (!xl::IsBorderIndex(index)) throw App().Refusal(messages::CannotGetText(u"Borders", u"Item"));
    return Make<BorderObject>(workbook_, sheet_, area_, index);
}

Variant BorderObject::Read(bool weight) {
    // The collection stands for the four edges and the inside lines together.
    static constexpr int32_t kAll[] = {xl::kEdgeLeft, xl::kEdgeTop, xl::kEdgeBottom, xl::kEdgeRight, xl::kInsideVertical,
                                       xl::kInsideHorizontal};
    std::optional<int32_t> shared;
    for (int32_t index : index_ == 0 ? std::span<const int32_t>(kAll) : std::span<const int32_t>(&index_, 1)) {
        const std::optional<BorderFormat> border = sheet_->Border(area_, index);
        if (!border) return Variant::Null();
        const int32_t value = weight ? border->weight : border->lineStyle;
        if (shared && *shared != value) return Variant::Null();
        shared = value;
    }
    return *shared;
}

Variant BorderObject::LineStyle(const Arguments&) { return Read(false); }
Variant BorderObject::Weight(const Arguments&) { return Read(true); }

void BorderObject::SetLineStyle(const Arguments& args) {
    const int32_t value = ToLong(args.NewValue());
    if (!xl::IsLineStyle(value)) throw App().Refusal(messages::CannotSetText(u"Border", u"LineStyle"));
    sheet_->SetBorder(area_, index_, value, std::nullopt);
}

void BorderObject::SetWeight(const Arguments& args) {
    const int32_t value = ToLong(args.NewValue());
    if (!xl::IsBorderWeight(value)) throw App().Refusal(messages::CannotSetText(u"Border", u"Weight"));
    sheet_->SetBorder(area_, index_, std::nullopt, value);
}

struct InteriorMembers {
    using I = InteriorObject;
    static constexpr Member<I> kTable[] = {
        {u"ColorIndex", {}, &I::ColorIndex, &I::SetColorIndex},
        {u"Pattern", {}, &I::Pattern, &I::SetPattern},
    };
};

Variant InteriorObject::Dispatch(const Invocation& call) { return DispatchTo<InteriorObject>(*this, InteriorMembers::kTable, call); }

Variant InteriorObject::Read(InteriorPart part) {
    const std::optional<int32_t> value = sheet_->Interior(area_, part);
    return value ? Variant(*value) : Variant::Null();
}

void InteriorObject::Write(InteriorPart part, const Arguments& args) {
    const int32_t value = ToLong(args.NewValue());
    const bool color = part == InteriorPart::ColorIndex;
    if (!(color ? xl::IsColorIndex(value) : xl::IsPattern(value)))
        throw App().Refusal(messages::CannotSetText(u"Interior", color ? u"ColorIndex" : u"Pattern"));
    sheet_->SetInterior(area_, part, value);
}

Variant InteriorObject::ColorIndex(const Arguments&) { return Read(InteriorPart::ColorIndex); }
Variant InteriorObject::Pattern(const Arguments&) { return Read(InteriorPart::Pattern); }
void InteriorObject::SetColorIndex(const Arguments& args) { Write(InteriorPart::ColorIndex, args); }
void InteriorObject::SetPattern(const Arguments& args) { Write(InteriorPart::Pattern, args); }

}  // namespace tabora::excel::model
