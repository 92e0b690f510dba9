#pragma once
// The message box on QMessageBox: the style word's buttons (with the captions of a Japanese
// Windows), icon and default button; a carriage return in the text starts a new line.

#include <QMessageBox>
#include <QString>

#include "platform/MessageBoxService.h"

namespace tabora::platform::qt {

class QtMessageBox : public MessageBoxService {
public:
    int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) override;
};

// For tests: the shown text of a message (CR LF, CR and LF each one line break).
QString MessageBoxText(const std::u16string& text);
// The button code stored on each button of a box shown by QtMessageBox.
int16_t ButtonCodeOf(const QAbstractButton& button);

}  // namespace tabora::platform::qt
