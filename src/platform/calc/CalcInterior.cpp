#include "platform/calc/CalcInterior.h"

#include <com/sun/star/beans/XPropertySet.hpp>

#include "platform/calc/CalcError.h"
#include "platform/calc/ExcelPalette.h"

namespace tabora::calc {
using namespace css;

namespace {

constexpr int32_t kXlPatternNone = -4142;
constexpr int32_t kXlPatternSolid = 1;
constexpr int32_t kXlPatternAutomatic = -4105;
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

Variant CalcInterior::Dispatch(const MemberCall& call) {
    uno::Reference<beans::XPropertySet> props(range_, uno::UNO_QUERY_THROW);
    if (call.Is(u"ColorIndex")) {
        if (!call.IsPut()) {
            Fill fill = ReadFill(props);
            return fill.transparent ? kColorIndexNone : NearestColorIndex(fill.color);
        }
        int32_t index = ToLong(call.Value());
        if (index == kColorIndexNone || index == kColorIndexAutomatic) {
            Clear(props);
        } else if (auto rgb = PaletteColor(index)) {
            Paint(props, *rgb);
        } else {
            throw CalcFailure(kErrRefused, u"Interior クラスの ColorIndex プロパティを設定できません。");
        }
        return {};
    }
    if (call.Is(u"Color")) {
        if (!call.IsPut()) {
            Fill fill = ReadFill(props);
            // Excel's Color is 0xBBGGRR; white when there is no fill.
            int32_t rgb = fill.transparent ? kWhite : fill.color;
            return static_cast<double>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
        }
        int32_t bgr = ToLong(call.Value());
        Paint(props, ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
        return {};
    }
    if (call.Is(u"Pattern")) {
        if (!call.IsPut()) return ReadFill(props).transparent ? kXlPatternNone : kXlPatternSolid;
        int32_t pattern = ToLong(call.Value());
        if (pattern == kXlPatternNone) {
            Clear(props);
        } else if (pattern == kXlPatternAutomatic) {
            // leaves the fill as it is
        } else if ((pattern >= kXlPatternSolid && pattern <= 18) || pattern == -4121 || pattern == -4124 ||
                   pattern == -4125 || pattern == -4126 || pattern == -4128 || pattern == -4162 || pattern == -4166) {
            // Calc fills cells with a plain colour only: every Excel pattern becomes a solid fill.
            if (ReadFill(props).transparent) Paint(props, kWhite);
        } else {
            throw CalcFailure(kErrRefused, u"Interior クラスの Pattern プロパティを設定できません。");
        }
        return {};
    }
    NoSuchMember();
}

}  // namespace tabora::calc
