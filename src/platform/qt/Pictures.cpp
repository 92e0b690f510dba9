#include "platform/qt/Pictures.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <initializer_list>

#include "platform/qt/QtStrings.h"

namespace tabora::platform::qt {

using namespace Qt::StringLiterals;

namespace {
QString ResourcePath(const std::u16string& name) { return u":/pictures/"_s + ToQString(name) + u".svg"_s; }

QPixmap Render(QSvgRenderer& renderer, QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}
}  // namespace

QSize PictureSize(const std::u16string& name) {
    QSvgRenderer renderer(ResourcePath(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QIcon PictureIcon(const std::u16string& name) {
    QSvgRenderer renderer(ResourcePath(name));
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0}) icon.addPixmap(Render(renderer, renderer.defaultSize(), ratio));
    return icon;
}

QIcon WindowIcon(const std::u16string& name) {
    QSvgRenderer renderer(ResourcePath(name));
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(Render(renderer, QSize(side, side), 1.0));
    return icon;
}

}  // namespace tabora::platform::qt
