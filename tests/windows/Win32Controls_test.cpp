// What only the native controls show: edits typed key by key, UTF-16 selections, twips and
// pixels, the order of the windows, Tab and a refused focus change. The event rules every set
// keeps are the shared cases (Win32ControlBehaviour_test.cpp).
#include <gtest/gtest.h>

#include "platform/com/WindowsSdk.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/Win32Form.h"

namespace tabora::platform::win32 {
namespace {

FormDescription TestForm() {
    FormDescription form;
    form.name = u"Frm_Probe";
    form.caption = u"試験";
    form.clientWidth = 4500;
    form.clientHeight = 4500;
    form.backColor = {192, 192, 255};
    form.font = {u"ＭＳ ゴシック", 9, kCharsetShiftJis};
    auto frame = DescribeControl(u"Fra_Box", ControlKind::Frame, 150, 150, 3000, 1500, 9);
    frame.caption = u"枠";
    auto first = DescribeControl(u"Txt_First", ControlKind::TextBox, 120, 210, 1500, 300, 2, u"Fra_Box");
    first.acceptsDroppedFiles = true;
    auto second = DescribeControl(u"Txt_Second", ControlKind::TextBox, 120, 600, 1500, 300, 0, u"Fra_Box");
    auto third = DescribeControl(u"Txt_Third", ControlKind::TextBox, 150, 1800, 1500, 300, 1);
    auto list = DescribeControl(u"Lst_Items", ControlKind::ListBox, 150, 2250, 1500, 1500, 3);
    list.acceptsDroppedFiles = true;
    auto behind = DescribeControl(u"Lbl_Behind", ControlKind::Label, 1800, 2250, 1500, 600, 4);
    behind.caption = u"後ろ";
    auto front = DescribeControl(u"Lbl_Front", ControlKind::Label, 1800, 2250, 1500, 600, 5);
    front.caption = u"前";
    auto button = DescribeControl(u"Cmd_Go", ControlKind::PictureButton, 1800, 3000, 345, 330, 6);
    form.controls = {frame, first, second, third, list, behind, front, button};
    return form;
}

class Win32ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }

    HWND Handle(const std::u16string& name) const { return form.HandleOf(name); }
    static RECT Rect(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }
    // A key as the message loop would deliver it.
    static void Key(HWND window, WPARAM key) {
        MSG message{window, WM_KEYDOWN, key, 0, 0, {}};
        Dispatch(message);
    }

    Win32Form form{TestForm()};
    TextBox& first = form.TextBoxNamed(u"Txt_First");
    TextBox& second = form.TextBoxNamed(u"Txt_Second");
    TextBox& third = form.TextBoxNamed(u"Txt_Third");
    ListBox& list = form.ListBoxNamed(u"Lst_Items");
};

TEST_F(Win32ControlsTest, TypingRaisesChangeOncePerEdit) {
    int changes = 0;
    Connection c = first.Change.Connect([&] { ++changes; });
    SendMessageW(Handle(u"Txt_First"), WM_CHAR, L'あ', 0);
    SendMessageW(Handle(u"Txt_First"), WM_CHAR, L'b', 0);
    EXPECT_EQ(first.Text(), u"あb");
    EXPECT_EQ(changes, 2);
}

TEST_F(Win32ControlsTest, AMultiLineBoxRaisesChangeOnSetTextToo) {
    FormDescription d = TestForm();
    d.controls[1].multiLine = true;
    d.controls[1].scrollBars = ScrollBars::Vertical;
    Win32Form multi(d);
    int changes = 0;
    Connection c = multi.TextBoxNamed(u"Txt_First").Change.Connect([&] { ++changes; });
    multi.TextBoxNamed(u"Txt_First").SetText(u"一\r\n二");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(multi.TextBoxNamed(u"Txt_First").Text(), u"一\r\n二");
}

TEST_F(Win32ControlsTest, SelectionIsInUtf16UnitsAndClampedToTheText) {
    first.SetText(u"日本語");
    first.SetSelStart(1);
    first.SetSelLength(5);
    EXPECT_EQ(first.SelStart(), 1);
    EXPECT_EQ(first.SelLength(), 2);
    first.SetSelStart(10);
    EXPECT_EQ(first.SelStart(), 3);
    EXPECT_EQ(first.SelLength(), 0);
}

TEST_F(Win32ControlsTest, OnlyTheControlsThatTakeDropsAcceptFiles) {
    EXPECT_NE(GetWindowLongPtrW(Handle(u"Txt_First"), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_NE(GetWindowLongPtrW(Handle(u"Lst_Items"), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(GetWindowLongPtrW(Handle(u"Txt_Second"), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(Win32ControlsTest, TwipsAreFifteenToAPixelAt96DpiAndReadBackAsSet) {
    ASSERT_EQ(GetDpiForWindow(form.Window()), 96u);
    const RECT box = Rect(Handle(u"Txt_Third"));
    EXPECT_EQ(box.right - box.left, 100);
    EXPECT_EQ(box.bottom - box.top, 20);
    third.SetWidth(3007);
    EXPECT_EQ(third.Width(), 3007.0f);
    EXPECT_EQ(Rect(Handle(u"Txt_Third")).right - Rect(Handle(u"Txt_Third")).left, 200);
    // Inside a frame, places count from the frame.
    const RECT frame = Rect(GetParent(Handle(u"Txt_First")));
    EXPECT_EQ(Rect(Handle(u"Txt_First")).left - frame.left, 8);
    EXPECT_EQ(Rect(Handle(u"Txt_First")).top - frame.top, 14);
}

TEST_F(Win32ControlsTest, ALaterControlLiesInFrontOfAnEarlierOne) {
    const RECT behind = Rect(Handle(u"Lbl_Behind"));
    POINT inside{behind.left + 5, behind.top + 5};
    ScreenToClient(form.Window(), &inside);
    EXPECT_EQ(ChildWindowFromPointEx(form.Window(), inside, CWP_SKIPINVISIBLE), Handle(u"Lbl_Front"));
    form.ControlNamed(u"Lbl_Front").SetVisible(false);
    EXPECT_EQ(ChildWindowFromPointEx(form.Window(), inside, CWP_SKIPINVISIBLE), Handle(u"Lbl_Behind"));
}

TEST_F(Win32ControlsTest, AFramesControlsLieInFrontOfItsGroupBox) {
    const HWND container = GetParent(Handle(u"Txt_First"));
    EXPECT_EQ(GetParent(Handle(u"Fra_Box")), container);
    EXPECT_EQ(GetWindow(container, GW_CHILD), Handle(u"Txt_Second"));
    EXPECT_EQ(GetWindow(Handle(u"Fra_Box"), GW_HWNDNEXT), nullptr);
    EXPECT_NE(GetWindowLongPtrW(Handle(u"Fra_Box"), GWL_STYLE) & WS_CLIPSIBLINGS, 0);
}

TEST_F(Win32ControlsTest, TabFollowsTheTabIndexAndSkipsDisabledControls) {
    SetFocus(Handle(u"Txt_Second"));  // tab index 0
    Key(Handle(u"Txt_Second"), VK_TAB);
    EXPECT_EQ(GetFocus(), Handle(u"Txt_Third"));  // 1
    first.SetEnabled(false);
    Key(Handle(u"Txt_Third"), VK_TAB);
    EXPECT_EQ(GetFocus(), Handle(u"Lst_Items"));  // 3, past the disabled 2
}

TEST_F(Win32ControlsTest, ValidateWithCancelKeepsTheFocus) {
    bool cancel = true;
    int asked = 0;
    Connection c = second.Validate.Connect([&](bool& cancelFocusChange) {
        ++asked;
        cancelFocusChange = cancel;
    });
    SetFocus(Handle(u"Txt_Second"));
    Key(Handle(u"Txt_Second"), VK_TAB);
    EXPECT_EQ(GetFocus(), Handle(u"Txt_Second"));
    MSG click{Handle(u"Lst_Items"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3), 0, {}};
    Dispatch(click);
    EXPECT_EQ(GetFocus(), Handle(u"Txt_Second"));
    cancel = false;
    Key(Handle(u"Txt_Second"), VK_TAB);
    EXPECT_EQ(GetFocus(), Handle(u"Txt_Third"));
    EXPECT_EQ(asked, 3);
}

}  // namespace
}  // namespace tabora::platform::win32
