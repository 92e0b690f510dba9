#pragma once
// The message box on QMessageBox: the style word's buttons (with the captions of a Japanese
// Windows), icon and default button; a carriage return in the text starts a new line.

#include <QMessageBox>
#include <QRect>
#include <QString>
#include <QWindow>

#include "platform/MessageBoxService.h"

namespace tabora::platform::qt {

// A window of another program that a box is to stand in front of: its native window (0 when
// unknown) and where it stands, in Qt's device-independent pixels (empty when unknown).
struct ForeignOwner {
    WId window = 0;
    QRect area;
};

class QtMessageBox : public MessageBoxService {
public:
    int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) override;
    // The same box, centred on the other program's window and kept above it.
    int16_t ShowInFrontOf(const ForeignOwner& owner, int32_t style, const std::u16string& text,
                          const std::u16string& title);

private:
    // Fills the box in and shows it, centred on centreOn unless that is empty.
    int16_t Run(QMessageBox& box, int32_t style, const std::u16string& text, const QRect& centreOn);
};

// For tests: the shown text of a message (CR LF, CR and LF each one line break).
QString MessageBoxText(const std::u16string& text);
// The button code stored on each button of a box shown by QtMessageBox.
int16_t ButtonCodeOf(const QAbstractButton& button);

}  // namespace tabora::platform::qt
