// The control layer's event rules, kept by the native controls.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "platform/com/WindowsSdk.h"
#include "platform/RuntimeError.h"
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

TEST_F(Win32ControlsTest, SetTextRaisesChangeInsideTheAssignmentAndOnlyOnARealChange) {
    std::vector<std::u16string> seen;
    Connection c = first.Change.Connect([&] { seen.push_back(first.Text()); });
    first.SetText(u"シート1");
    EXPECT_EQ(seen, std::vector<std::u16string>{u"シート1"});
    first.SetText(u"シート1");
    EXPECT_EQ(seen.size(), 1u);
    first.SetText(u"");
    EXPECT_EQ(seen.size(), 2u);
}

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

struct KeyCase {
    bool swallow;
    const char16_t* after;
};

class KeyDownTest : public Win32ControlsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyDownTest, KeyDownSeesTheKeyFirstAndSwallowsItAtZero) {
    first.SetText(u"abc");
    first.SetSelStart(0);
    std::vector<int16_t> seen;
    Connection c = first.KeyDown.Connect([&](int16_t& keyCode, int16_t shift) {
        seen.push_back(keyCode);
        EXPECT_EQ(shift, 0);
        if (GetParam().swallow) keyCode = 0;
    });
    SendMessageW(Handle(u"Txt_First"), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(seen, std::vector<int16_t>{VK_DELETE});
    EXPECT_EQ(first.Text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyDownTest, ::testing::Values(KeyCase{false, u"bc"}, KeyCase{true, u"abc"}));

TEST_F(Win32ControlsTest, DblClickReachesTheBox) {
    int clicks = 0;
    Connection c = first.DblClick.Connect([&] { ++clicks; });
    SendMessageW(Handle(u"Txt_First"), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, 1);
}

// A drop as the shell makes one: DROPFILES, then each wide path, then an empty one.
HGLOBAL MakeDrop(const std::vector<std::u16string>& paths) {
    std::u16string names;
    for (const auto& path : paths) names += path + u'\0';
    names += u'\0';
    if (paths.empty()) names += u'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(char16_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(char16_t));
    GlobalUnlock(memory);
    return memory;
}

TEST_F(Win32ControlsTest, DroppedFilesArriveInOrderAtTheControlTheyFellOn) {
    std::vector<DroppedFiles> onBox, onList;
    Connection a = first.FilesDropped.Connect([&](const DroppedFiles& files) { onBox.push_back(files); });
    Connection b = list.FilesDropped.Connect([&](const DroppedFiles& files) { onList.push_back(files); });
    SendMessageW(Handle(u"Lst_Items"), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({u"C:\\a\\ブック.xls", u"C:\\b.txt"})), 0);
    SendMessageW(Handle(u"Txt_First"), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({})), 0);
    ASSERT_EQ(onList.size(), 1u);
    EXPECT_EQ(onList[0], (DroppedFiles{u"C:\\a\\ブック.xls", u"C:\\b.txt"}));
    ASSERT_EQ(onBox.size(), 1u);
    EXPECT_TRUE(onBox[0].empty());
    EXPECT_EQ(GetWindowLongPtrW(Handle(u"Txt_Second"), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(Win32ControlsTest, EveryListIndexAssignmentClicksAndSelectionByTheUserToo) {
    for (const char16_t* item : {u"Sheet1", u"集計", u"Sheet3"}) list.AddItem(item);
    std::vector<int32_t> clicks;
    Connection c = list.Click.Connect([&] { clicks.push_back(list.ListIndex()); });
    list.SetListIndex(1);
    list.SetListIndex(1);
    EXPECT_EQ(list.Text(), u"集計");
    SendMessageW(Handle(u"Lst_Items"), WM_KEYDOWN, VK_DOWN, 0);  // the user moves the selection
    list.SetListIndex(-1);
    EXPECT_EQ(clicks, (std::vector<int32_t>{1, 1, 2, -1}));
    EXPECT_EQ(list.Text(), u"");
    EXPECT_EQ(list.List(2), u"Sheet3");
    EXPECT_EQ(list.List(3), u"");
    EXPECT_THROW(list.SetListIndex(3), RuntimeError);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(clicks.size(), 4u);
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

TEST_F(Win32ControlsTest, AControlNameTheFormLacksOrOfAnotherKindIsError9) {
    try {
        form.TextBoxNamed(u"Lst_Items");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 9);
    }
    EXPECT_THROW(form.ControlNamed(u"Nothing"), RuntimeError);
    EXPECT_EQ(form.FrameNamed(u"Fra_Box").Caption(), u"枠");
}

}  // namespace
}  // namespace tabora::platform::win32
