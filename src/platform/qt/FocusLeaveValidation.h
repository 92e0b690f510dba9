#pragma once
// Validation when the focus leaves a text box for another control of its window: the box's
// Validate runs first, and a handler that cancels keeps the focus in the box. As on Windows,
// switching to another window does not validate.

#include <QWidget>
#include <functional>

#include "platform/qt/EventFilter.h"

namespace tabora::platform::qt {

class FocusLeaveValidation {
public:
    // validate answers whether the focus may leave.
    FocusLeaveValidation(QWidget* box, std::function<bool()> validate);

    // For the box's key handling: Tab or Shift+Tab is about to move the focus. False when the
    // key must be swallowed because Validate cancelled.
    bool BeforeTabLeaves();
    // A key other than Tab: any earlier answer no longer counts.
    void ForgetAnswer() { validated_ = false; }

private:
    bool OnBoxEvent(QEvent* event);
    bool OnApplicationEvent(QObject* watched, QEvent* event);
    bool ValidateOnce();
    QWidget* FocusTakerOnPress(QWidget* pressed) const;

    QWidget* box_;
    std::function<bool()> validate_;
    bool validated_ = false;  // Validate already let this leave pass
    EventFilter boxFilter_;
    EventFilter applicationFilter_;  // installed while the box has the focus
};

}  // namespace tabora::platform::qt
