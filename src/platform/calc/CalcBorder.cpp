#include "platform/calc/CalcBorder.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/BorderLineStyle.hpp>
#include <com/sun/star/table/TableBorder2.hpp>

#include "platform/calc/BorderStyle.h"
#include "platform/calc/CalcError.h"

namespace tabora::calc {
using namespace css;

namespace {

constexpr BorderEdge kAllEdges[] = {BorderEdge::Left, BorderEdge::Top, BorderEdge::Bottom, BorderEdge::Right,
                                    BorderEdge::InsideVertical, BorderEdge::InsideHorizontal};

// The line of one edge in a TableBorder2, and its "valid" flag: only valid lines are applied.
std::pair<table::BorderLine2*, sal_Bool*> EdgeOf(table::TableBorder2& border, BorderEdge edge) {
    switch (edge) {
        case BorderEdge::Left: return {&border.LeftLine, &border.IsLeftLineValid};
        case BorderEdge::Top: return {&border.TopLine, &border.IsTopLineValid};
        case BorderEdge::Bottom: return {&border.BottomLine, &border.IsBottomLineValid};
        case BorderEdge::Right: return {&border.RightLine, &border.IsRightLineValid};
        case BorderEdge::InsideVertical: return {&border.VerticalLine, &border.IsVerticalLineValid};
        default: return {&border.HorizontalLine, &border.IsHorizontalLineValid};
    }
}

rtl::OUString DiagonalProperty(BorderEdge edge) {
    return edge == BorderEdge::DiagonalDown ? rtl::OUString("DiagonalTLBR2") : rtl::OUString("DiagonalBLTR2");
}

bool IsDiagonal(BorderEdge edge) { return edge == BorderEdge::DiagonalDown || edge == BorderEdge::DiagonalUp; }

CalcLine LineOf(const table::BorderLine2& line) { return {line.LineStyle, static_cast<int32_t>(line.LineWidth)}; }

table::BorderLine2 Updated(table::BorderLine2 line, std::optional<int32_t> lineStyle, std::optional<int32_t> weight) {
    if (lineStyle) {
        std::optional<int16_t> style = CalcLineStyle(*lineStyle);
        if (!style) return table::BorderLine2();  // xlLineStyleNone: no line at all
        line.LineStyle = *style;
        if (line.LineWidth == 0) line.LineWidth = static_cast<sal_uInt32>(CalcLineWidth(kXlThin));
    }
    if (weight) {
        // A weight on an edge without a line draws a continuous one, as in Excel.
        if (line.LineWidth == 0) line.LineStyle = table::BorderLineStyle::SOLID;
        line.LineWidth = static_cast<sal_uInt32>(CalcLineWidth(*weight));
    }
    line.OuterLineWidth = line.LineStyle == table::BorderLineStyle::DOUBLE ? 0 : static_cast<sal_Int16>(line.LineWidth);
    return line;
}

}  // namespace

Variant CalcBorder::Dispatch(const MemberCall& call) {
    bool isStyle = call.Is(u"LineStyle");
    bool isWeight = call.Is(u"Weight");
    if (!isStyle && !isWeight) NoSuchMember();
    if (!call.IsPut()) return Read(isWeight);
    int32_t value = ToLong(call.Value());
    if (isStyle)
        Write(value, std::nullopt);
    else
        Write(std::nullopt, value);
    return {};
}

Variant CalcBorder::Read(bool weight) {
    uno::Reference<beans::XPropertySet> props(range_, uno::UNO_QUERY_THROW);
    CalcLine line;
    BorderEdge edge = index_ == 0 ? BorderEdge::Bottom : EdgeForIndex(index_);
    if (IsDiagonal(edge)) {
        table::BorderLine2 diagonal;
        props->getPropertyValue(DiagonalProperty(edge)) >>= diagonal;
        line = LineOf(diagonal);
    } else {
        table::TableBorder2 border;
        props->getPropertyValue("TableBorder2") >>= border;
        auto [edgeLine, valid] = EdgeOf(border, edge);
        if (!*valid) return Variant::Null();  // the cells differ, as Excel answers Null
        line = LineOf(*edgeLine);
    }
    return weight ? ExcelWeight(line) : ExcelLineStyle(line);
}

void CalcBorder::Write(std::optional<int32_t> lineStyle, std::optional<int32_t> weight) {
    uno::Reference<beans::XPropertySet> props(range_, uno::UNO_QUERY_THROW);
    if (index_ != 0 && IsDiagonal(EdgeForIndex(index_))) {
        BorderEdge edge = EdgeForIndex(index_);
        table::BorderLine2 diagonal;
        props->getPropertyValue(DiagonalProperty(edge)) >>= diagonal;
        props->setPropertyValue(DiagonalProperty(edge), uno::Any(Updated(diagonal, lineStyle, weight)));
        return;
    }
    table::TableBorder2 border;
    props->getPropertyValue("TableBorder2") >>= border;
    table::TableBorder2 change = border;
    for (BorderEdge edge : kAllEdges) *EdgeOf(change, edge).second = false;
    // Only the named edge is marked valid: setting the cells' own bottom border would draw
    // under every cell of the range, not under the range.
    for (BorderEdge edge : kAllEdges) {
        if (index_ != 0 && edge != EdgeForIndex(index_)) continue;
        auto [line, valid] = EdgeOf(change, edge);
        *line = Updated(*line, lineStyle, weight);
        *valid = true;
    }
    props->setPropertyValue("TableBorder2", uno::Any(change));
}

}  // namespace tabora::calc
