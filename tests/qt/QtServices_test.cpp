// The Qt services beside the controls: the file dialog, and the input method.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

#include "controls/BehaviourForm.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtStrings.h"
#include "qt/QtControlSet.h"

namespace tabora::platform::qt {
namespace {

using namespace Qt::StringLiterals;

TEST(QtFileDialogTest, OffersTheFilterAndTitleAndAnswersThePathOrNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(u"ブック1.xls"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    auto answer = [](std::function<void(QFileDialog&)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no file dialog is up";
                return;
            }
            act(*dialog);
        });
    };
    answer([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Excelファイル"_s);
        EXPECT_EQ(dialog.nameFilters(), QStringList{u"Excelファイル (*.xls *.XLS)"_s});
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        dialog.reject();
    });
    EXPECT_EQ(QtFileDialog().OpenFileName(u"Excelファイル (*.xls), *.xls", u"Excelファイル"), std::nullopt);

    answer([&](QFileDialog& dialog) {
        dialog.selectFile(path);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(QtFileDialog().OpenFileName(u"Excelファイル (*.xls), *.xls", u"Excelファイル"), ToU16(path));
}

// What the input method asks a focused widget before it takes part.
bool AcceptsInputMethod(QWidget* widget) {
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(widget, &query);
    return query.value(Qt::ImEnabled).toBool();
}

TEST(InputMethodTest, ModeThreeSwitchesTheInputMethodOffForThatBox) {
    test::QtControlSet set;
    auto form = set.Forms().Create(test::BehaviourFormDescription());
    TextBox& one = form->TextBoxNamed(u"Txt_One");
    TextBox& lines = form->TextBoxNamed(u"Txt_Lines");
    set.Show(*form);
    QWidget* oneWidget = test::QtControlSet::WidgetOf(one);
    EXPECT_TRUE(AcceptsInputMethod(oneWidget));
    one.SetIMEMode(kImeModeDisable);
    EXPECT_EQ(one.IMEMode(), kImeModeDisable);
    EXPECT_FALSE(AcceptsInputMethod(oneWidget));
    EXPECT_TRUE(AcceptsInputMethod(test::QtControlSet::WidgetOf(lines))) << "only that box";
    one.SetIMEMode(kImeModeNoControl);
    EXPECT_TRUE(AcceptsInputMethod(oneWidget));
}

TEST(InputMethodTest, ComposedTextComesAsKeyCode229AndIsNeverSwallowed) {
    test::QtControlSet set;
    auto form = set.Forms().Create(test::BehaviourFormDescription());
    TextBox& one = form->TextBoxNamed(u"Txt_One");
    std::vector<int16_t> seen;
    auto connection = one.KeyDown.Connect([&](int16_t& keyCode, int16_t) {
        seen.push_back(keyCode);
        keyCode = 0;
    });
    set.Show(*form);
    set.Type(one, u"シート");
    EXPECT_EQ(seen, std::vector<int16_t>{229});
    EXPECT_EQ(one.Text(), u"シート");
}

}  // namespace
}  // namespace tabora::platform::qt
