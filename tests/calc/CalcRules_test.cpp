// The Calc server's own tables, without an office: Excel's palette, border, paste and file
// formats.
#include <gtest/gtest.h>

#include "calc/CalcTestSupport.h"
#include "platform/calc/BorderStyle.h"
#include "platform/calc/ExcelPalette.h"
#include "platform/calc/FileFormats.h"
#include "platform/calc/PasteOptions.h"

namespace tabora::calc::test {
namespace {

TEST(CalcRules, PaletteHasExcelsFiftySixColours) {
    EXPECT_EQ(PaletteColor(1), 0x000000);
    EXPECT_EQ(PaletteColor(3), 0xFF0000);
    EXPECT_EQ(PaletteColor(6), 0xFFFF00);
    EXPECT_EQ(PaletteColor(56), 0x333333);
    EXPECT_EQ(PaletteColor(0), std::nullopt);
    EXPECT_EQ(PaletteColor(57), std::nullopt);
    for (int32_t i = 1; i <= 56; ++i) EXPECT_EQ(PaletteColor(NearestColorIndex(*PaletteColor(i))), PaletteColor(i)) << i;
    EXPECT_EQ(NearestColorIndex(0x0000FF), 5) << "the first of two equal entries";
    EXPECT_EQ(NearestColorIndex(0xFE0101), 3);
}

TEST(CalcRules, BorderStylesAndWeightsRoundTrip) {
    for (int32_t style : {1, -4115, 4, 5, -4118, -4119})
        for (int32_t weight : {1, 2, -4138, 4}) {
            CalcLine line{*CalcLineStyle(style), CalcLineWidth(weight)};
            EXPECT_EQ(ExcelLineStyle(line), style) << style << "/" << weight;
            EXPECT_EQ(ExcelWeight(line), weight) << style << "/" << weight;
        }
    EXPECT_EQ(CalcLineStyle(-4142), std::nullopt);
    EXPECT_EQ(ExcelLineStyle(CalcLine{0, 0}), -4142);
    EXPECT_THROW(CalcLineStyle(99), RuntimeError);
    EXPECT_THROW(CalcLineWidth(3), RuntimeError);
    EXPECT_EQ(EdgeForIndex(9), BorderEdge::Bottom);
    EXPECT_EQ(EdgeForIndex(5), BorderEdge::DiagonalDown);
    EXPECT_THROW(EdgeForIndex(4), RuntimeError);
}

TEST(CalcRules, PasteOptionsTranslateToCalcsPasteSpecial) {
    EXPECT_EQ(TranslatePaste(-4104, -4142, false, false), (CalcPaste{u"A", 0, false, false}));
    EXPECT_EQ(TranslatePaste(-4163, 2, true, true), (CalcPaste{u"SVD", 1, true, true}));
    EXPECT_EQ(TranslatePaste(-4123, 5, false, false), (CalcPaste{u"SVDF", 4, false, false}));
    EXPECT_EQ(TranslatePaste(-4122, 3, false, false).flags, u"T");
    EXPECT_EQ(ErrorOf([] { TranslatePaste(99, -4142, false, false); }).Number, 1004);
    EXPECT_EQ(ErrorOf([] { TranslatePaste(-4104, 9, false, false); }).Number, 1004);
}

TEST(CalcRules, FileFormatsHaveTheirFilters) {
    EXPECT_EQ(ExportFilter(56), u"MS Excel 97");
    EXPECT_EQ(ExportFilter(-4143), u"MS Excel 97");
    EXPECT_EQ(ExportFilter(51), u"Calc MS Excel 2007 XML");
    EXPECT_EQ(ExportFilter(60), u"calc8");
    EXPECT_EQ(ExportFilter(12345), std::nullopt);
    EXPECT_EQ(FileFormatOfFilter(u"MS Excel 95"), 56);
    EXPECT_EQ(FileFormatOfFilter(u"Calc MS Excel 2007 XML"), 51);
    EXPECT_EQ(FileFormatOfFilter(u"calc8"), 60);
}

}  // namespace
}  // namespace tabora::calc::test
