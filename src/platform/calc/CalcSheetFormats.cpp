// A Calc sheet's borders and fill, in Excel's line styles, weights and palette.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/BorderLineStyle.hpp>
#include <com/sun/star/table/TableBorder2.hpp>

#include "excel/model/Xl.h"
#include "platform/calc/BorderStyle.h"
#include "platform/calc/CalcStore.h"
#include "platform/calc/ExcelPalette.h"

namespace tabora::calc {
using namespace css;
namespace xl = excel::xl;

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

excel::model::BorderFormat FormatOf(const table::BorderLine2& line) {
    const CalcLine calc{line.LineStyle, static_cast<int32_t>(line.LineWidth)};
    return {ExcelLineStyle(calc), ExcelWeight(calc)};
}

table::BorderLine2 Updated(table::BorderLine2 line, std::optional<int32_t> lineStyle, std::optional<int32_t> weight) {
    if (lineStyle) {
        std::optional<int16_t> style = CalcLineStyle(*lineStyle);
        if (!style) return table::BorderLine2();  // xlLineStyleNone: no line at all
        line.LineStyle = *style;
        if (line.LineWidth == 0) line.LineWidth = static_cast<sal_uInt32>(CalcLineWidth(xl::kThin));
    }
    if (weight) {
        // A weight on an edge without a line draws a continuous one, as in Excel.
        if (line.LineWidth == 0) line.LineStyle = table::BorderLineStyle::SOLID;
        line.LineWidth = static_cast<sal_uInt32>(CalcLineWidth(*weight));
    }
    line.OuterLineWidth = line.LineStyle == table::BorderLineStyle::DOUBLE ? 0 : static_cast<sal_Int16>(line.LineWidth);
    return line;
}

constexpr int32_t kWhite = 0xFFFFFF;

struct Fill {
    bool transparent = true;
    int32_t color = 0;
};

Fill ReadFill(const uno::Reference<beans::XPropertySet>& props) {
    Fill fill;
    props->getPropertyValue("IsCellBackgroundTransparent") >>= fill.transparent;
    props->getPropertyValue("CellBackColor") >>= fill.color;
    if (fill.color < 0) fill.transparent = true;
    return fill;
}

void Paint(const uno::Reference<beans::XPropertySet>& props, int32_t rgb) {
    props->setPropertyValue("CellBackColor", uno::Any(static_cast<sal_Int32>(rgb)));
    props->setPropertyValue("IsCellBackgroundTransparent", uno::Any(false));
}

void Clear(const uno::Reference<beans::XPropertySet>& props) {
    props->setPropertyValue("IsCellBackgroundTransparent", uno::Any(true));
}

}  // namespace

std::optional<excel::model::BorderFormat> CalcSheetStore::Border(const CellArea& area, int32_t index) {
    uno::Reference<beans::XPropertySet> props(RangeOf(area), uno::UNO_QUERY_THROW);
    const BorderEdge edge = EdgeForIndex(index);
    if (IsDiagonal(edge)) {
        table::BorderLine2 diagonal;
        props->getPropertyValue(DiagonalProperty(edge)) >>= diagonal;
        return FormatOf(diagonal);
    }
    table::TableBorder2 border;
    props->getPropertyValue("TableBorder2") >>= border;
    auto [line, valid] = EdgeOf(border, edge);
    if (!*valid) return std::nullopt;  // the cells differ
    return FormatOf(*line);
}

void CalcSheetStore::SetBorder(const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
                               std::optional<int32_t> weight) {
    uno::Reference<beans::XPropertySet> props(RangeOf(area), uno::UNO_QUERY_THROW);
    if (index != 0 && IsDiagonal(EdgeForIndex(index))) {
        const BorderEdge edge = EdgeForIndex(index);
        table::BorderLine2 diagonal;
        props->getPropertyValue(DiagonalProperty(edge)) >>= diagonal;
        props->setPropertyValue(DiagonalProperty(edge), uno::Any(Updated(diagonal, lineStyle, weight)));
        return;
    }
    table::TableBorder2 change;
    props->getPropertyValue("TableBorder2") >>= change;
    for (BorderEdge edge : kAllEdges) *EdgeOf(change, edge).second = false;
    // Only the named edge is marked valid: setting the cells' own bottom border would draw
    // under every cell of the range, not under the range.
    for (BorderEdge edge : kAllEdges) {
        if (index != 0 && edge != EdgeForIndex(index)) continue;
        auto [line, valid] = EdgeOf(change, edge);
        *line = Updated(*line, lineStyle, weight);
        *valid = true;
    }
    props->setPropertyValue("TableBorder2", uno::Any(change));
}

std::optional<int32_t> CalcSheetStore::Interior(const CellArea& area, excel::model::InteriorPart part) {
    const Fill fill = ReadFill(uno::Reference<beans::XPropertySet>(RangeOf(area), uno::UNO_QUERY_THROW));
    if (part == excel::model::InteriorPart::Pattern) return fill.transparent ? xl::kNone : xl::kPatternSolid;
    return fill.transparent ? xl::kNone : NearestColorIndex(fill.color);
}

void CalcSheetStore::SetInterior(const CellArea& area, excel::model::InteriorPart part, int32_t value) {
    uno::Reference<beans::XPropertySet> props(RangeOf(area), uno::UNO_QUERY_THROW);
    if (part == excel::model::InteriorPart::ColorIndex) {
        if (value == xl::kNone || value == xl::kAutomatic)
            Clear(props);
        else
            Paint(props, *PaletteColor(value));
        return;
    }
    if (value == xl::kNone)
        Clear(props);
    else if (value != xl::kAutomatic && ReadFill(props).transparent)
        Paint(props, kWhite);  // Calc fills cells with a plain colour only: every pattern is solid
}

}  // namespace tabora::calc
