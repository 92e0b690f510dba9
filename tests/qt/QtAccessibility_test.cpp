// What a screen reader is told that the test over the accessibility bus cannot catch in passing:
// the label behind the list is heard only while the list is hidden (as while it is filled), and
// the text boxes of a frame are labelled by it.
#include <gtest/gtest.h>

#include <QAccessible>

#include "platform/qt/QtForm.h"
#include "windows/FormDescriptions.h"

namespace tabora::test {
namespace {

using namespace Qt::StringLiterals;

TEST(QtAccessibility, TheLabelBehindTheListIsHeardOnlyWhileTheListIsHidden) {
    platform::qt::QtForm form(windows::Frm_TestDescription());
    form.Window()->show();
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(form.WidgetNamed(u"Lbl_Title"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(QAccessible::Name), u"Now Loading"_s);
    EXPECT_TRUE(label->state().invisible);
    form.ListBoxNamed(u"Lst_Item").SetVisible(false);
    EXPECT_FALSE(label->state().invisible);
    form.ListBoxNamed(u"Lst_Item").SetVisible(true);
    EXPECT_TRUE(label->state().invisible);
}

TEST(QtAccessibility, ATextBoxIsLabelledByItsFrame) {
    platform::qt::QtForm form(windows::Frm_TestDescription());
    for (const auto& [box, frame] : {std::pair{u"Txt_Path", u"Fra_File"}, {u"Txt_SheetName", u"Fra_Sheet"}}) {
        const auto labels =
            QAccessible::queryAccessibleInterface(form.WidgetNamed(box))->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels.front().first->object(), form.WidgetNamed(frame));
    }
}

}  // namespace
}  // namespace tabora::test
