#include "platform/qt/FocusLeaveValidation.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>

namespace tabora::platform::qt {

FocusLeaveValidation::FocusLeaveValidation(QWidget* box, std::function<bool()> validate)
    : box_(box),
      validate_(std::move(validate)),
      boxFilter_([this](QObject*, QEvent* event) { return OnBoxEvent(event); }),
      applicationFilter_(
          [this](QObject* watched, QEvent* event) { return OnApplicationEvent(watched, event); }) {
    boxFilter_.Watch(box_);
}

bool FocusLeaveValidation::ValidateOnce() {
    if (validated_) return true;
    if (!validate_()) return false;
    validated_ = true;
    return true;
}

bool FocusLeaveValidation::BeforeTabLeaves() { return ValidateOnce(); }

bool FocusLeaveValidation::OnBoxEvent(QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        validated_ = false;
        qApp->installEventFilter(&applicationFilter_);
    } else if (event->type() == QEvent::FocusOut) {
        qApp->removeEventFilter(&applicationFilter_);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leavesWindow = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        // The focus moved without a click or a Tab (by code): validate now, and come back if
        // cancelled, once the focus change in progress has finished.
        if (!leavesWindow && !ValidateOnce()) {
            QTimer::singleShot(0, &boxFilter_, [box = box_] { box->setFocus(Qt::OtherFocusReason); });
        }
        validated_ = false;
    }
    return false;
}

// The widget that a press on `pressed` gives the focus to, as QApplication picks it; nullptr
// when the focus stays where it is.
QWidget* FocusLeaveValidation::FocusTakerOnPress(QWidget* pressed) const {
    for (QWidget* w = pressed; w != nullptr; w = w->parentWidget()) {
        if (w == box_ || box_->isAncestorOf(w)) return nullptr;
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            QWidget* taker = w->focusProxy() != nullptr ? w->focusProxy() : w;
            return taker == box_ ? nullptr : taker;
        }
        if (w->isWindow()) return nullptr;
    }
    return nullptr;
}

bool FocusLeaveValidation::OnApplicationEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType()) return false;
    auto* pressed = static_cast<QWidget*>(watched);
    if (pressed->window() != box_->window() || FocusTakerOnPress(pressed) == nullptr) return false;
    // Cancelled: the press is swallowed, so the control under the mouse neither takes the
    // focus nor acts (a button is not clicked).
    return !ValidateOnce();
}

}  // namespace tabora::platform::qt
