// What the test over the accessibility bus cannot catch in passing: the label behind the list is
// heard only while the list is hidden, as while it is filled.
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

}  // namespace
}  // namespace tabora::test
