#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <memory>
#include <vector>

#include "platform/qt/QtStrings.h"

namespace tabora::platform::qt {

using namespace Qt::StringLiterals;

namespace {
const char kButtonCodeProperty[] = "taboraButtonCode";

struct BoxButton {
    int16_t code;
    QString caption;
    QMessageBox::ButtonRole role;
};

std::vector<BoxButton> ButtonsOf(int32_t style) {
    const BoxButton ok{button::kOk, u"OK"_s, QMessageBox::AcceptRole};
    const BoxButton cancel{button::kCancel, u"キャンセル"_s, QMessageBox::RejectRole};
    // Roles that the Windows button order puts as Windows does: Abort, Retry, Ignore.
    const BoxButton abort{button::kAbort, u"中止(&A)"_s, QMessageBox::YesRole};
    const BoxButton retry{button::kRetry, u"再試行(&R)"_s, QMessageBox::AcceptRole};
    const BoxButton ignore{button::kIgnore, u"無視(&I)"_s, QMessageBox::ActionRole};
    const BoxButton yes{button::kYes, u"はい(&Y)"_s, QMessageBox::YesRole};
    const BoxButton no{button::kNo, u"いいえ(&N)"_s, QMessageBox::NoRole};
    switch (style & mb::kButtonsMask) {
        case mb::kOkCancel:
            return {ok, cancel};
        case mb::kAbortRetryIgnore:
            return {abort, retry, ignore};
        case mb::kYesNoCancel:
            return {yes, no, cancel};
        case mb::kYesNo:
            return {yes, no};
        case mb::kRetryCancel:
            return {retry, cancel};
        default:
            return {ok};
    }
}

QMessageBox::Icon IconOf(int32_t style) {
    switch (style & mb::kIconMask) {
        case mb::kCritical:
            return QMessageBox::Critical;
        case mb::kQuestion:
            return QMessageBox::Question;
        case mb::kExclamation:
            return QMessageBox::Warning;
        case mb::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}
}  // namespace

QString MessageBoxText(const std::u16string& text) {
    QString shown = ToQString(text);
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}

int16_t ButtonCodeOf(const QAbstractButton& button) {
    return static_cast<int16_t>(button.property(kButtonCodeProperty).toInt());
}

int16_t QtMessageBox::Show(int32_t style, const std::u16string& text, const std::u16string& title) {
    QMessageBox box(IconOf(style), ToQString(title), QString(), QMessageBox::NoButton,
                    QApplication::activeWindow());
    return Run(box, style, text, QRect());
}

int16_t QtMessageBox::ShowInFrontOf(const ForeignOwner& owner, int32_t style, const std::u16string& text,
                                    const std::u16string& title) {
    // Null where the platform has no windows of other programs (offscreen).
    const std::unique_ptr<QWindow> foreign(owner.window != 0 ? QWindow::fromWinId(owner.window) : nullptr);
    QMessageBox box(IconOf(style), ToQString(title), QString(), QMessageBox::NoButton, nullptr);
    if (foreign) {
        box.winId();  // a native window of its own, to be told whose dialog it is
        box.windowHandle()->setTransientParent(foreign.get());
    }
    return Run(box, style, text, owner.area);
}

int16_t QtMessageBox::Run(QMessageBox& box, int32_t style, const std::u16string& text, const QRect& centreOn) {
    box.setWindowModality(Qt::ApplicationModal);
    // Paths and sheet names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(MessageBoxText(text));

    const std::vector<BoxButton> boxButtons = ButtonsOf(style);
    std::vector<QPushButton*> buttons;
    for (const BoxButton& choice : boxButtons) {
        QPushButton* added = box.addButton(choice.caption, choice.role);
        added->setProperty(kButtonCodeProperty, choice.code);
        buttons.push_back(added);
        if (choice.code == button::kCancel || boxButtons.size() == 1) box.setEscapeButton(added);
    }
    const size_t defaultIndex =
        std::min<size_t>(static_cast<size_t>((style & mb::kDefaultMask) >> 8), buttons.size() - 1);
    box.setDefaultButton(buttons[defaultIndex]);
    if (!centreOn.isEmpty()) {
        box.show();  // a message box takes its final size when shown
        box.move(box.pos() + centreOn.center() - box.frameGeometry().center());
    }

    box.exec();
    if (const QAbstractButton* clicked = box.clickedButton()) return ButtonCodeOf(*clicked);
    // Closed without a button (only boxes with Cancel or a single button can be).
    return boxButtons.size() == 1 ? boxButtons.front().code : button::kCancel;
}

}  // namespace tabora::platform::qt
