#include "platform/qt/QtSimpleControls.h"

#include <QKeyEvent>
#include <QPainter>

#include "app/ErrorTrap.h"
#include "platform/qt/Pictures.h"

namespace tabora::platform::qt {

namespace {
QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue); }

// A control's own colours; without them it shows its container's background.
void Paint(QWidget* widget, const ControlDescription& d, QPalette::ColorRole textRole) {
    QPalette palette = widget->palette();
    if (d.backColor && !d.transparent) {
        palette.setColor(QPalette::Window, ToQColor(*d.backColor));
        widget->setAutoFillBackground(true);
    }
    if (d.foreColor) palette.setColor(textRole, ToQColor(*d.foreColor));
    widget->setPalette(palette);
}
}  // namespace

QtLabel::QtLabel(const ControlDescription& d, QWidget* parent) : QtLabel(d, new QLabel(parent)) {}

QtLabel::QtLabel(const ControlDescription& d, QLabel* label) : QtControl(d, label), label_(label) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->setText(ToQString(d.caption));
    Paint(label_, d, QPalette::WindowText);
}

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(QWidget* parent) : QWidget(parent) {}
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) {
        caption_ = caption;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        // The top border runs through the middle of the caption's line, caption or not.
        const QRect border = rect().adjusted(0, metrics.height() / 2, -1, -1);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(border.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        painter.drawRect(border.adjusted(1, 1, 0, 0));
        if (caption_.isEmpty()) return;
        const QRect text(kCaptionIndent, 0, metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding,
                         metrics.height());
        painter.fillRect(text, palette().window());
        painter.setPen(palette().windowText().color());
        painter.drawText(text.adjusted(kCaptionPadding, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
    }

private:
    static constexpr int kCaptionIndent = 6, kCaptionPadding = 2;
    QString caption_;
};

QtFrame::QtFrame(const ControlDescription& d, QWidget* parent) : QtFrame(d, new FrameWidget(parent)) {}

QtFrame::QtFrame(const ControlDescription& d, FrameWidget* box) : QtControl(d, box), box_(box) {
    box_->SetCaption(ToQString(d.caption));
    Paint(box_, d, QPalette::WindowText);
}

std::u16string QtFrame::Caption() const { return ToU16(box_->Caption()); }
void QtFrame::SetCaption(const std::u16string& caption) { box_->SetCaption(ToQString(caption)); }

QtPictureButton::QtPictureButton(const ControlDescription& d, QWidget* parent)
    : QtPictureButton(d, new QPushButton(parent)) {}

QtPictureButton::QtPictureButton(const ControlDescription& d, QPushButton* button)
    : QtControl(d, button), button_(button), enterKey_([this](QObject*, QEvent* event) {
          if (event->type() != QEvent::KeyPress) return false;
          const int key = static_cast<QKeyEvent*>(event)->key();
          if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
          button_->click();
          return true;
      }) {
    button_->setAutoDefault(false);
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setIcon(PictureIcon(d.picture));
    button_->setIconSize(PictureSize(d.picture));
    QObject::connect(button_, &QPushButton::clicked, &context_, [this] { ReportErrorsAtEventBoundary([this] { Click.Raise(); }); });
    enterKey_.Watch(button_);
}

}  // namespace tabora::platform::qt
