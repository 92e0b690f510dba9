// The two windows on Qt as designed: every control where its twips put it (15 to a pixel), in
// its container, with its colours, Japanese fonts that have every glyph, and its pictures.
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPushButton>

#include "platform/qt/Pictures.h"
#include "platform/qt/QtStrings.h"
#include "qt/QtWindowsFixture.h"
#include "windows/FormDescriptions.h"
#include "windows/Frm_More.h"

namespace tabora::test {
namespace {

using platform::qt::ToQString;
using namespace Qt::StringLiterals;

QRect DesignedPixels(const platform::ControlDescription& d) {
    return QRect(d.left / 15, d.top / 15, d.width / 15, d.height / 15);
}

void ExpectAsDesigned(platform::qt::QtForm& form) {
    for (const platform::ControlDescription& d : form.Description().controls) {
        SCOPED_TRACE(ToQString(d.name).toStdString());
        QWidget* widget = form.WidgetNamed(d.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), DesignedPixels(d));
        EXPECT_EQ(widget->parentWidget(),
                  d.container.empty() ? form.Window() : form.WidgetNamed(d.container));
        EXPECT_EQ(widget->toolTip(), ToQString(d.toolTip));
    }
}

// Every character the window shows is in the font it is shown with: no boxes.
void ExpectJapaneseGlyphs(platform::qt::QtForm& form) {
    for (const platform::ControlDescription& d : form.Description().controls) {
        const QFont font = form.WidgetNamed(d.name)->font();
        SCOPED_TRACE(ToQString(d.name).toStdString() + " in " + QFontInfo(font).family().toStdString());
        EXPECT_TRUE(
            QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Japanese));
        const QFontMetrics metrics(font);
        for (const char32_t c : ToQString(d.caption).toUcs4())
            EXPECT_TRUE(metrics.inFontUcs4(c)) << std::hex << static_cast<uint32_t>(c);
        const QFontMetrics tipMetrics(QApplication::font());
        for (const char32_t c : ToQString(d.toolTip).toUcs4())
            EXPECT_TRUE(tipMetrics.inFontUcs4(c)) << std::hex << static_cast<uint32_t>(c);
    }
}

QColor PixelAt(QWidget* window, QPoint at) { return window->grab().toImage().pixelColor(at); }

using FormGeometry = QtWindowsFixture;

TEST_F(FormGeometry, TheMainWindowComesUpAsDesignedAtTheTopLeftCorner) {
    MainForm().SetLeft(3000);
    MainForm().SetTop(1500);
    ShowMain();
    QWidget* window = MainForm().Window();
    EXPECT_EQ(window->size(), QSize(211, 462));
    EXPECT_FLOAT_EQ(MainForm().Width(), 3300)
        << "the designed outer size: the first layout pass changes nothing";
    EXPECT_FLOAT_EQ(MainForm().Height(), 7335);
    ExpectAsDesigned(MainForm());
    EXPECT_EQ(window->pos(), QPoint(0, 0)) << "moved to the top-left corner on the first activation";
    EXPECT_EQ(window->windowTitle(), u"Excelのｼｰﾄ名一覧 ver1.1.0"_s);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(window->minimumSize(), window->maximumSize()) << "sizable";
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(FormGeometry, TheDuplicationWindowIsAFixedToolWindowAsDesigned) {
    windows::Frm_More more(forms);
    auto& form = dynamic_cast<platform::qt::QtForm&>(more.Form());
    form.Show();
    QWidget* window = form.Window();
    EXPECT_EQ(window->size(), QSize(209, 273));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
    EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool) << "a tool window, out of the task bar";
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    ExpectAsDesigned(form);
    form.Unload();
}

TEST_F(FormGeometry, JapaneseTextHasItsGlyphsInBothWindows) {
    ExpectJapaneseGlyphs(MainForm());
    windows::Frm_More more(forms);
    ExpectJapaneseGlyphs(dynamic_cast<platform::qt::QtForm&>(more.Form()));
    EXPECT_NE(QFontInfo(dynamic_cast<platform::qt::QtForm&>(more.Form()).WidgetNamed(u"Lbl_Title")->font())
                  .family(),
              QFontInfo(MainForm().WidgetNamed(u"Txt_Path")->font()).family())
        << "the proportional Gothic differs from the fixed-pitch one";
}

TEST_F(FormGeometry, ColoursAreTheDesignedOnes) {
    ShowMain();
    EXPECT_EQ(PixelAt(MainForm().Window(), QPoint(4, 300)), QColor(192, 192, 255)) << "inside Fra_Sheet";

    windows::Frm_More more(forms);
    auto& form = dynamic_cast<platform::qt::QtForm&>(more.Form());
    form.Show();
    const QImage image = form.Window()->grab().toImage();
    EXPECT_EQ(image.pixelColor(QPoint(100, 150)), QColor(255, 255, 255)) << "the names box";
    EXPECT_EQ(image.pixelColor(QPoint(127, 17)), QColor(128, 128, 255)) << "the band behind the title";
    EXPECT_EQ(image.pixelColor(QPoint(4, 250)), QColor(192, 192, 255)) << "Frame1";
    int whiteish = 0;
    for (int x = 14; x < 122; ++x) {
        for (int y = 4; y < 21; ++y) {
            const QColor c = image.pixelColor(x, y);
            whiteish += c.red() > 230 && c.green() > 230 ? 1 : 0;
        }
    }
    EXPECT_GT(whiteish, 50) << "the title is written in white on the band";
    form.Unload();
}

TEST_F(FormGeometry, NowLoadingShowsOnlyWhileTheListIsHidden) {
    ShowMain();
    QWidget* window = MainForm().Window();
    QWidget* label = MainWidget(u"Lbl_Title");
    const QPoint labelCentre = label->mapTo(window, label->rect().center());
    EXPECT_NE(window->childAt(labelCentre), label);
    frmTest->Form().ListBoxNamed(u"Lst_Item").SetVisible(false);
    EXPECT_EQ(window->childAt(labelCentre), label);
}

struct ButtonPicture {
    const char16_t* button;
    QSize size;
};

TEST_F(FormGeometry, PictureButtonsShowTheirPicturesAtTheirDesignedSizes) {
    windows::Frm_More more(forms);
    auto& moreForm = dynamic_cast<platform::qt::QtForm&>(more.Form());
    const std::pair<platform::qt::QtForm*, ButtonPicture> buttons[] = {
        {&MainForm(), {u"Cmd_決定ファイル", {16, 16}}},
        {&MainForm(), {u"Cmd_Get", {16, 16}}},
        {&MainForm(), {u"Cmd_Change", {16, 16}}},
        {&MainForm(), {u"Cmd_Open", {23, 20}}},
        {&moreForm, {u"Cmd_Copy", {19, 19}}}};
    for (const auto& [form, expected] : buttons) {
        SCOPED_TRACE(ToQString(expected.button).toStdString());
        auto* button = qobject_cast<QPushButton*>(form->WidgetNamed(expected.button));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->iconSize(), expected.size);
        const QImage picture = button->icon().pixmap(expected.size).toImage();
        int drawn = 0;
        for (int x = 0; x < picture.width(); ++x)
            for (int y = 0; y < picture.height(); ++y) drawn += picture.pixelColor(x, y).alpha() > 0 ? 1 : 0;
        EXPECT_GT(drawn, expected.size.width() * expected.size.height() / 4) << "the picture draws something";
    }
}

}  // namespace
}  // namespace tabora::test
