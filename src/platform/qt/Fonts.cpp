#include "platform/qt/Fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

#include "platform/qt/QtStrings.h"

namespace tabora::platform::qt {

using namespace Qt::StringLiterals;

namespace {
// In order of likeness to the Windows faces: the faces themselves when someone installed them,
// then the IPA and Noto Japanese fonts that Debian ships.
const QStringList& FixedPitchGothic() {
    static const QStringList families{u"ＭＳ ゴシック"_s,         u"MS Gothic"_s, u"IPAGothic"_s,
                                      u"Noto Sans Mono CJK JP"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
                                      u"Noto Sans CJK JP"_s};
    return families;
}
const QStringList& ProportionalGothic() {
    static const QStringList families{u"ＭＳ Ｐゴシック"_s,      u"MS PGothic"_s, u"IPAPGothic"_s,
                                      u"Noto Sans CJK JP"_s,     u"VL PGothic"_s, u"TakaoPGothic"_s,
                                      u"Noto Sans Mono CJK JP"_s};
    return families;
}

bool IsProportionalGothic(const QString& family) {
    return family == u"ＭＳ Ｐゴシック"_s || family == u"MS PGothic"_s || family == u"ＭＳ ＰＧｏｔｈｉｃ"_s;
}
bool IsFixedPitchGothic(const QString& family) {
    return family == u"ＭＳ ゴシック"_s || family == u"MS Gothic"_s;
}

constexpr double kDesignDpi = 96.0, kPointsPerInch = 72.0;
}  // namespace

QString InstalledFamilyFor(const QString& requested) {
    if (QFontDatabase::hasFamily(requested)) return requested;
    const QStringList* candidates = IsProportionalGothic(requested) ? &ProportionalGothic()
                                    : IsFixedPitchGothic(requested) ? &FixedPitchGothic()
                                                                    : nullptr;
    if (candidates != nullptr) {
        for (const QString& family : *candidates)
            if (QFontDatabase::hasFamily(family)) return family;
    }
    // Qt and fontconfig find the closest face, and fall back per character for the rest.
    return requested;
}

QFont FontFor(const FontSpec& wanted) {
    const QString family = InstalledFamilyFor(ToQString(wanted.family));
    QFont font(family);
    font.setStyleHint(IsProportionalGothic(ToQString(wanted.family)) ? QFont::SansSerif : QFont::TypeWriter);
    const double pixels = static_cast<double>(wanted.points) * kDesignDpi / kPointsPerInch;
    font.setPixelSize(
        std::isfinite(pixels) && pixels >= 1 && pixels < 1000 ? static_cast<int>(std::lround(pixels)) : 12);
    return font;
}

}  // namespace tabora::platform::qt
