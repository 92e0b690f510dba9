#include "qt/QtControlSet.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "platform/qt/QtControl.h"
#include "platform/qt/QtStrings.h"
#include "platform/qt/Twips.h"

namespace tabora::test {

using platform::qt::ToQString;

namespace {
struct QtKey {
    Qt::Key key;
    bool letter;
};

// The keys the cases press, by their Windows codes.
QtKey QtKeyOf(int16_t code) {
    if (code >= 'A' && code <= 'Z') return {static_cast<Qt::Key>(code), true};
    if (code >= '0' && code <= '9') return {static_cast<Qt::Key>(code), false};
    switch (code) {
        case 8:
            return {Qt::Key_Backspace, false};
        case 9:
            return {Qt::Key_Tab, false};
        case 13:
            return {Qt::Key_Return, false};
        case 16:
            return {Qt::Key_Shift, false};
        case 17:
            return {Qt::Key_Control, false};
        case 27:
            return {Qt::Key_Escape, false};
        case 37:
            return {Qt::Key_Left, false};
        case 39:
            return {Qt::Key_Right, false};
        case 46:
            return {Qt::Key_Delete, false};
        case 116:
            return {Qt::Key_F5, false};
        default:
            ADD_FAILURE() << "no Qt key for Windows code " << code;
            return {Qt::Key_unknown, false};
    }
}

Qt::KeyboardModifiers ModifiersOf(int16_t shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & 1) modifiers |= Qt::ShiftModifier;
    if (shift & 2) modifiers |= Qt::ControlModifier;
    if (shift & 4) modifiers |= Qt::AltModifier;
    return modifiers;
}

void SendDrop(QWidget* target, QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}
}  // namespace

QtControlSet::~QtControlSet() { Settle(); }

QWidget* QtControlSet::WidgetOf(platform::Control& control) {
    if (auto* form = dynamic_cast<platform::qt::QtForm*>(&control)) return form->Window();
    auto* holder = dynamic_cast<platform::qt::QtWidgetHolder*>(&control);
    return holder != nullptr ? holder->Widget() : nullptr;
}

QWidget* QtControlSet::MouseTargetOf(platform::Control& control) {
    QWidget* widget = WidgetOf(control);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) return area->viewport();
    return widget;
}

platform::qt::QtForm& QtControlSet::QtFormOf(platform::Form& form) {
    return dynamic_cast<platform::qt::QtForm&>(form);
}

void QtControlSet::Show(platform::Form& form) {
    form.Show();
    QWidget* window = QtFormOf(form).Window();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

void QtControlSet::Settle() { QCoreApplication::processEvents(); }

void QtControlSet::Type(platform::TextBox& box, const std::u16string& text) {
    QInputMethodEvent commit;
    commit.setCommitString(ToQString(text));
    QApplication::sendEvent(WidgetOf(box), &commit);
}

void QtControlSet::PressKey(platform::TextBox& box, int16_t keyCode, int16_t shift) {
    const QtKey key = QtKeyOf(keyCode);
    const Qt::KeyboardModifiers modifiers = ModifiersOf(shift);
    QString text;
    if (key.letter && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        text = QChar(static_cast<char16_t>(modifiers & Qt::ShiftModifier ? keyCode : keyCode + ('a' - 'A')));
    }
    if (text.isEmpty()) {
        QTest::keyClick(WidgetOf(box), key.key, modifiers);
    } else {
        QTest::sendKeyEvent(QTest::Click, WidgetOf(box), key.key, text, modifiers);
    }
}

void QtControlSet::DoubleClick(platform::TextBox& box) {
    QWidget* target = MouseTargetOf(box);
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::mouseDClick(target, Qt::LeftButton);
    QTest::mouseRelease(target, Qt::LeftButton);
}

bool QtControlSet::Leave(platform::TextBox& box) {
    QWidget* widget = WidgetOf(box);
    widget->setFocus(Qt::OtherFocusReason);
    Settle();
    EXPECT_TRUE(widget->hasFocus()) << "the box must have the focus before it can lose it";
    QTest::keyClick(widget, Qt::Key_Tab);
    Settle();
    return !widget->hasFocus();
}

void QtControlSet::ClickItem(platform::ListBox& list, int32_t index) {
    auto* view = qobject_cast<QListWidget*>(WidgetOf(list));
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->item(index)).center());
}

void QtControlSet::DoubleClickItem(platform::ListBox& list, int32_t index) {
    auto* view = qobject_cast<QListWidget*>(WidgetOf(list));
    ASSERT_NE(view, nullptr);
    const QPoint at = view->visualItemRect(view->item(index)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

void QtControlSet::Press(platform::PictureButton& button) {
    QTest::mouseClick(WidgetOf(button), Qt::LeftButton);
}

void QtControlSet::DropFiles(platform::Control& target, const std::vector<std::u16string>& paths) {
    QList<QUrl> urls;
    for (const std::u16string& path : paths) urls << QUrl::fromLocalFile(ToQString(path));
    QMimeData data;
    data.setUrls(urls);
    SendDrop(MouseTargetOf(target), data);
}

void QtControlSet::DropText(platform::Control& target, const std::u16string& text) {
    QMimeData data;
    data.setText(ToQString(text));
    SendDrop(MouseTargetOf(target), data);
}

void QtControlSet::ResizeByUser(platform::Form& form, float outerWidth, float outerHeight) {
    platform::qt::QtForm& qtForm = QtFormOf(form);
    const QSize frame = qtForm.FramePixels();
    qtForm.Window()->resize(platform::qt::ToPixels(outerWidth) - frame.width(),
                            platform::qt::ToPixels(outerHeight) - frame.height());
    Settle();
}

void QtControlSet::CloseByUser(platform::Form& form) {
    QtFormOf(form).Window()->close();
    Settle();
}

void QtControlSet::ActivateFromAnotherApplication(platform::Form& form) {
    // A window that is none of the program's forms stands for the other application's.
    QWidget elsewhere;
    elsewhere.setGeometry(400, 400, 200, 100);
    elsewhere.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&elsewhere));
    QApplication::setActiveWindow(&elsewhere);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    QWidget* window = QtFormOf(form).Window();
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    Settle();
}

void QtControlSet::SetMinimizedByUser(platform::Form& form, bool minimized) {
    QWidget* window = QtFormOf(form).Window();
    if (minimized) {
        window->showMinimized();
    } else {
        window->showNormal();
    }
    Settle();
}

void QtControlSet::WhileModal(platform::Form& form, std::function<void()> script) {
    QTimer::singleShot(0, [this, &form, script = std::move(script)] {
        script();
        if (form.IsLoaded()) CloseByUser(form);
    });
}

}  // namespace tabora::test
