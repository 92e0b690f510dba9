#include "platform/qt/QtSimpleControls.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "app/ErrorTrap.h"
#include "platform/qt/Accessibility.h"
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

namespace {
// A label a screen reader skips: one that is only colour, or one that lies under a control and
// is seen only while that control is hidden.
class QuietLabel : public QLabel, public MakesOwnAccessible {
public:
    QuietLabel(QWidget* parent, bool decorative) : QLabel(parent), decorative_(decorative) {}
    void CoverWith(QWidget* cover) { cover_ = cover; }
    bool Quiet() const { return decorative_ || (cover_ != nullptr && !cover_->isHidden()); }
    QAccessibleInterface* MakeAccessible() override;

private:
    bool decorative_;
    QPointer<QWidget> cover_;
};

class QuietLabelAccessible : public QAccessibleWidget {
public:
    explicit QuietLabelAccessible(QuietLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    // Its own text, not the caption of the frame it lies in.
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return Label()->accessibleName().isEmpty() ? Label()->text() : Label()->accessibleName();
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (Label()->Quiet()) state.invisible = true;
        return state;
    }

private:
    QuietLabel* Label() const { return static_cast<QuietLabel*>(widget()); }
};

QAccessibleInterface* QuietLabel::MakeAccessible() { return new QuietLabelAccessible(this); }

QLabel* MakeLabel(const ControlDescription& d, QWidget* parent) {
    if (d.decorative || !d.coveredBy.empty()) return new QuietLabel(parent, d.decorative);
    return new QLabel(parent);
}
}  // namespace

QtLabel::QtLabel(const ControlDescription& d, QWidget* parent) : QtLabel(d, MakeLabel(d, parent)) {}

QtLabel::QtLabel(const ControlDescription& d, QLabel* label) : QtControl(d, label), label_(label) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->setText(ToQString(d.caption));
    Paint(label_, d, QPalette::WindowText);
}

void QtLabel::CoverWith(QWidget* cover) {
    if (auto* quiet = dynamic_cast<QuietLabel*>(label_)) quiet->CoverWith(cover);
}

// A group box for screen readers, which name it and the text boxes in it by its caption; drawn
// by hand, as Windows draws one.
class FrameWidget : public QGroupBox {
public:
    explicit FrameWidget(QWidget* parent) : QGroupBox(parent) {}

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
        const QString caption = title();
        if (caption.isEmpty()) return;
        const QRect text(kCaptionIndent, 0, metrics.horizontalAdvance(caption) + 2 * kCaptionPadding,
                         metrics.height());
        painter.fillRect(text, palette().window());
        painter.setPen(palette().windowText().color());
        painter.drawText(text.adjusted(kCaptionPadding, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    }

private:
    static constexpr int kCaptionIndent = 6, kCaptionPadding = 2;
};

QtFrame::QtFrame(const ControlDescription& d, QWidget* parent) : QtFrame(d, new FrameWidget(parent)) {}

QtFrame::QtFrame(const ControlDescription& d, FrameWidget* box) : QtControl(d, box), box_(box) {
    box_->setTitle(ToQString(d.caption));
    Paint(box_, d, QPalette::WindowText);
}

std::u16string QtFrame::Caption() const { return ToU16(box_->title()); }
void QtFrame::SetCaption(const std::u16string& caption) { box_->setTitle(ToQString(caption)); }

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
