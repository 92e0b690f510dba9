// Forms: loading, the first show's events, unloading, modal showing, size in twips.
#include "platform/win32/Win32Form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabora::platform::win32 {
namespace {

FormDescription Describe(std::u16string name, BorderStyle border = BorderStyle::Sizable) {
    FormDescription form;
    form.name = std::move(name);
    form.caption = u"Excelのｼｰﾄ名一覧";
    form.clientWidth = 3165;
    form.clientHeight = 1500;
    form.backColor = {192, 192, 255};
    form.font = {u"ＭＳ ゴシック", 9, kCharsetShiftJis};
    form.border = border;
    form.startPosition = border == BorderStyle::FixedToolWindow ? StartPosition::CenterOwner : StartPosition::Manual;
    form.showInTaskbar = border != BorderStyle::FixedToolWindow;
    ControlDescription box;
    box.name = u"Txt_Name";
    box.kind = ControlKind::TextBox;
    box.width = 1500;
    box.height = 300;
    form.controls = {box};
    return form;
}

// Records a form's events in order.
struct EventLog {
    explicit EventLog(Form& form) {
        connections.push_back(form.LoadEvent.Connect([this] { events.push_back("Load"); }));
        connections.push_back(form.Resize.Connect([this] { events.push_back("Resize"); }));
        connections.push_back(form.Activate.Connect([this] { events.push_back("Activate"); }));
        connections.push_back(form.UnloadEvent.Connect([this] { events.push_back("Unload"); }));
    }
    std::vector<std::string> events;
    std::vector<Connection> connections;
};

TEST(Win32FormTest, TheFirstShowRaisesResizeThenActivateOnce) {
    Win32Form form(Describe(u"Frm_Test"));
    EventLog log(form);
    form.Load();
    EXPECT_FALSE(form.Visible());
    form.Show();
    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(log.events, (std::vector<std::string>{"Load", "Resize", "Activate"}));
    EXPECT_EQ(form.Caption(), u"Excelのｼｰﾄ名一覧");
}

TEST(Win32FormTest, TheClientAreaIsTheDescribedSizeAndTheOuterSizeReadsInTwips) {
    Win32Form form(Describe(u"Frm_Test"));
    RECT client{};
    GetClientRect(form.Window(), &client);
    EXPECT_EQ(client.right, 211);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_GT(form.Width(), 3165.0f);
    form.Show();
    EventLog log(form);
    form.SetWidth(4500);
    EXPECT_NEAR(form.Width(), 4500.0f, 15.0f);
    EXPECT_EQ(log.events, std::vector<std::string>{"Resize"});  // inside the assignment
    form.SetTop(0);
    form.SetLeft(150);
    EXPECT_NEAR(form.Left(), 150.0f, 0.5f);
    EXPECT_NEAR(form.Top(), 0.0f, 0.5f);
}

TEST(Win32FormTest, AUsersCloseUnloadsAndHidesTheForm) {
    Win32Form form(Describe(u"Frm_Test"));
    form.Show();
    EventLog log(form);
    SendMessageW(form.Window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(log.events, std::vector<std::string>{"Unload"});
    form.Unload();
    EXPECT_EQ(log.events.size(), 1u);
}

TEST(Win32FormTest, AModalFormDisablesItsOwnerUntilItIsUnloaded) {
    Win32Form owner(Describe(u"Frm_Test"));
    owner.Show();
    Win32Form modal(Describe(u"Frm_More", BorderStyle::FixedToolWindow));
    bool ownerEnabledInside = true;
    HWND ownerOfModal = nullptr;
    Connection c = modal.Activate.Connect([&] {
        ownerEnabledInside = owner.Enabled();
        ownerOfModal = GetWindow(modal.Window(), GW_OWNER);
        // As a user closes it; the loop ends after this message.
        PostMessageW(modal.Window(), WM_CLOSE, 0, 0);
    });
    modal.ShowModal(owner);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_EQ(ownerOfModal, owner.Window());
    EXPECT_TRUE(owner.Enabled());
    EXPECT_FALSE(modal.IsLoaded());
    EXPECT_NE(GetWindowLongPtrW(modal.Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindowLongPtrW(modal.Window(), GWL_STYLE) & WS_THICKFRAME, 0);
}

TEST(Win32FormTest, TheSizableFormHasOnlyTheButtonsItAsksFor) {
    FormDescription d = Describe(u"Frm_Test");
    d.maxButton = false;
    Win32Form form(d);
    const LONG_PTR style = GetWindowLongPtrW(form.Window(), GWL_STYLE);
    EXPECT_NE(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
}

}  // namespace
}  // namespace tabora::platform::win32
