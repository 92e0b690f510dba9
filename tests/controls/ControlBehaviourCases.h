#pragma once
// The event rules of the control layer, as cases every control set must pass. Included by
// exactly one test file per test program, which instantiates them for its set:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ControlBehaviour, HeadlessControlSet);

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/BehaviourForm.h"
#include "controls/ControlSet.h"
#include "platform/RuntimeError.h"

namespace tabora::test {

template <class Set>
class ControlBehaviour : public ::testing::Test {
protected:
    Set set;
    std::unique_ptr<platform::Form> form = set.Forms().Create(BehaviourFormDescription());
    platform::TextBox& one = form->TextBoxNamed(u"Txt_One");
    platform::TextBox& two = form->TextBoxNamed(u"Txt_Two");
    platform::TextBox& lines = form->TextBoxNamed(u"Txt_Lines");
    platform::ListBox& items = form->ListBoxNamed(u"Lst_Items");
    std::vector<std::string> log;  // events in the order they came
    std::vector<platform::Connection> connections;

    void Record(platform::Event<>& event, std::string name) {
        connections.push_back(event.Connect([this, name] { log.push_back(name); }));
    }
    void ShowWithItems(std::initializer_list<const char16_t*> entries) {
        for (const char16_t* entry : entries) items.AddItem(entry);
        form->Load();
        set.Show(*form);
    }
};

TYPED_TEST_SUITE_P(ControlBehaviour);

// A set whose platform cannot deliver a drop without files says so with kDropsWithoutFiles.
template <class Set>
constexpr bool DropsWithoutFiles() {
    if constexpr (requires { Set::kDropsWithoutFiles; }) {
        return Set::kDropsWithoutFiles;
    } else {
        return true;
    }
}

TYPED_TEST_P(ControlBehaviour, ChangeFollowsARealChangeInsideTheAssignment) {
    std::vector<std::u16string> seen;
    auto connection = this->one.Change.Connect([&] { seen.push_back(this->one.Text()); });
    this->set.Show(*this->form);

    this->one.SetText(u"Sheet1");
    ASSERT_EQ(seen, std::vector<std::u16string>{u"Sheet1"}) << "raised before SetText returned";
    this->one.SetText(u"Sheet1");
    EXPECT_EQ(seen.size(), 1u) << "the same text is no change";
    this->one.SetText(u"");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Sheet1", u""}));

    this->set.Type(this->one, u"ブック1.xls");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Sheet1", u"", u"ブック1.xls"}));
}

TYPED_TEST_P(ControlBehaviour, MultiLineTextSeparatesLinesWithCrLf) {
    this->set.Show(*this->form);
    this->lines.SetText(u"A\r\nB\r\nC");
    EXPECT_EQ(this->lines.Text(), u"A\r\nB\r\nC");
    // Positions count CR LF as two characters.
    this->lines.SetSelStart(3);
    this->lines.SetSelLength(4);
    EXPECT_EQ(this->lines.SelStart(), 3);
    EXPECT_EQ(this->lines.SelLength(), 4);
    this->lines.SetSelStart(3);
    this->set.Type(this->lines, u"X");
    EXPECT_EQ(this->lines.Text(), u"A\r\nXB\r\nC");
    EXPECT_EQ(this->lines.SelStart(), 4);
}

TYPED_TEST_P(ControlBehaviour, SelStartClampsAndCollapsesTheSelection) {
    this->one.SetText(u"Sheet1");
    this->one.SetSelStart(1);
    this->one.SetSelLength(3);
    EXPECT_EQ(this->one.SelLength(), 3);
    this->one.SetSelStart(2);
    EXPECT_EQ(this->one.SelStart(), 2);
    EXPECT_EQ(this->one.SelLength(), 0) << "a new start collapses the selection";
    this->one.SetSelLength(99);
    EXPECT_EQ(this->one.SelLength(), 4) << "no further than the end";
    this->one.SetSelStart(99);
    EXPECT_EQ(this->one.SelStart(), 6);
    this->one.SetSelStart(-1);
    EXPECT_EQ(this->one.SelStart(), 0);
    this->one.SetSelLength(-1);
    EXPECT_EQ(this->one.SelLength(), 0);

    this->one.SetSelStart(6);
    this->one.SetText(u"Summary");
    EXPECT_EQ(this->one.SelStart(), 0) << "an assignment puts the caret at the start";
    EXPECT_EQ(this->one.SelLength(), 0);
}

TYPED_TEST_P(ControlBehaviour, KeyDownCarriesWindowsKeyCodesAndTheShiftState) {
    struct Key {
        int16_t code, shift;
    };
    const Key keys[] = {{13, 0}, {13, 1}, {13, 2}, {65, 0}, {65, 1}, {65, 2},  {49, 0}, {8, 0},
                        {37, 0}, {39, 0}, {46, 0}, {16, 1}, {17, 2}, {116, 0}, {27, 0}};
    std::vector<std::pair<int16_t, int16_t>> seen;
    auto connection = this->one.KeyDown.Connect(
        [&](int16_t& keyCode, int16_t shift) { seen.emplace_back(keyCode, shift); });
    this->set.Show(*this->form);
    for (const Key& key : keys) {
        SCOPED_TRACE(testing::Message() << "key " << key.code << " shift " << key.shift);
        seen.clear();
        this->set.PressKey(this->one, key.code, key.shift);
        // A real keyboard sends Shift or Ctrl first, with their own KeyDown; the key comes last.
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), std::make_pair(key.code, key.shift));
    }
}

TYPED_TEST_P(ControlBehaviour, AKeySetToZeroNeverReachesTheBox) {
    bool swallow = true;
    auto connection = this->one.KeyDown.Connect([&](int16_t& keyCode, int16_t) {
        if (swallow && keyCode == 8) keyCode = 0;
    });
    this->set.Show(*this->form);
    this->one.SetText(u"ab");
    this->one.SetSelStart(2);
    this->set.PressKey(this->one, 8, 0);
    EXPECT_EQ(this->one.Text(), u"ab");
    swallow = false;
    this->set.PressKey(this->one, 8, 0);
    EXPECT_EQ(this->one.Text(), u"a");
}

TYPED_TEST_P(ControlBehaviour, ACancelledValidateKeepsTheFocus) {
    bool cancel = true;
    int validations = 0;
    auto connection = this->one.Validate.Connect([&](bool& cancelled) {
        ++validations;
        cancelled = cancel;
    });
    this->set.Show(*this->form);
    EXPECT_FALSE(this->set.Leave(this->one));
    EXPECT_EQ(validations, 1);
    cancel = false;
    EXPECT_TRUE(this->set.Leave(this->one));
    EXPECT_EQ(validations, 2);
}

TYPED_TEST_P(ControlBehaviour, DoubleClicksReachTextBoxesAndLists) {
    this->Record(this->one.DblClick, "box DblClick");
    this->Record(this->items.Click, "Click");
    this->Record(this->items.DblClick, "DblClick");
    this->ShowWithItems({u"Sheet1", u"Sheet2", u"Summary"});
    this->set.DoubleClick(this->one);
    this->set.DoubleClickItem(this->items, 1);
    EXPECT_EQ(this->log, (std::vector<std::string>{"box DblClick", "Click", "DblClick"}));
    EXPECT_EQ(this->items.ListIndex(), 1);
}

TYPED_TEST_P(ControlBehaviour, EveryAssignmentOfTheListIndexRaisesClick) {
    this->Record(this->items.Click, "Click");
    this->ShowWithItems({u"Sheet1", u"Sheet2", u"Summary"});
    this->items.SetListIndex(1);
    this->items.SetListIndex(1);
    EXPECT_EQ(this->log.size(), 2u) << "also when that entry was selected already";
    EXPECT_EQ(this->items.Text(), u"Sheet2");
    this->items.SetListIndex(-1);
    EXPECT_EQ(this->log.size(), 3u);
    EXPECT_EQ(this->items.ListIndex(), -1);
    EXPECT_EQ(this->items.Text(), u"");
    EXPECT_THROW(this->items.SetListIndex(3), RuntimeError);
    EXPECT_THROW(this->items.SetListIndex(-2), RuntimeError);
    EXPECT_EQ(this->log.size(), 3u);
}

TYPED_TEST_P(ControlBehaviour, TheUsersClickSelectsAndRaisesClick) {
    std::vector<std::u16string> seen;
    auto connection = this->items.Click.Connect([&] { seen.push_back(this->items.Text()); });
    this->ShowWithItems({u"Sheet1", u"Sheet2", u"Summary"});
    this->set.ClickItem(this->items, 2);
    EXPECT_EQ(seen, std::vector<std::u16string>{u"Summary"});
    this->set.ClickItem(this->items, 0);
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Summary", u"Sheet1"}));
    this->set.ClickItem(this->items, 0);
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Summary", u"Sheet1", u"Sheet1"}))
        << "a click on the entry selected already raises Click too";
}

TYPED_TEST_P(ControlBehaviour, ClearEmptiesTheListWithoutClick) {
    this->Record(this->items.Click, "Click");
    this->ShowWithItems({u"Sheet1", u"Sheet2"});
    this->items.SetListIndex(0);
    this->items.Clear();
    EXPECT_EQ(this->items.ListCount(), 0);
    EXPECT_EQ(this->items.ListIndex(), -1);
    EXPECT_EQ(this->items.List(0), u"");
    EXPECT_EQ(this->log.size(), 1u);
    this->items.AddItem(u"ｼｰﾄ名");
    EXPECT_EQ(this->items.List(0), u"ｼｰﾄ名");
    EXPECT_EQ(this->items.ListIndex(), -1) << "adding selects nothing";
}

TYPED_TEST_P(ControlBehaviour, DroppedFilesArriveInOrder) {
    std::vector<platform::DroppedFiles> onBox, onList;
    auto boxDrops =
        this->one.FilesDropped.Connect([&](const platform::DroppedFiles& f) { onBox.push_back(f); });
    auto listDrops =
        this->items.FilesDropped.Connect([&](const platform::DroppedFiles& f) { onList.push_back(f); });
    this->set.Show(*this->form);
    const platform::DroppedFiles files{u"/tmp/b b.xls", u"/tmp/a.csv", u"/tmp/ブック.XLS"};
    this->set.DropFiles(this->one, files);
    this->set.DropFiles(this->items, files);
    this->set.Settle();
    EXPECT_EQ(onBox, std::vector<platform::DroppedFiles>{files});
    EXPECT_EQ(onList, std::vector<platform::DroppedFiles>{files});
    EXPECT_EQ(this->one.Text(), u"") << "the box itself takes nothing from a drop";
}

TYPED_TEST_P(ControlBehaviour, ADropWithoutFilesArrivesAsAnEmptyList) {
    if constexpr (!DropsWithoutFiles<TypeParam>()) {
        GTEST_SKIP() << "not applicable: this platform only ever receives drops of files";
    } else {
        std::vector<platform::DroppedFiles> onList;
        auto listDrops =
            this->items.FilesDropped.Connect([&](const platform::DroppedFiles& f) { onList.push_back(f); });
        this->set.Show(*this->form);
        this->set.DropText(this->items, u"Sheet1");
        this->set.Settle();
        EXPECT_EQ(onList, std::vector<platform::DroppedFiles>{{}});
    }
}

TYPED_TEST_P(ControlBehaviour, OnlyAnEnabledButtonClicks) {
    this->Record(this->form->PictureButtonNamed(u"Cmd_Go").Click, "Go");
    this->Record(this->form->PictureButtonNamed(u"Cmd_Off").Click, "Off");
    this->set.Show(*this->form);
    this->set.Press(this->form->PictureButtonNamed(u"Cmd_Go"));
    this->set.Press(this->form->PictureButtonNamed(u"Cmd_Off"));
    EXPECT_EQ(this->log, std::vector<std::string>{"Go"});
    this->form->PictureButtonNamed(u"Cmd_Off").SetEnabled(true);
    this->set.Press(this->form->PictureButtonNamed(u"Cmd_Off"));
    EXPECT_EQ(this->log, (std::vector<std::string>{"Go", "Off"}));
}

TYPED_TEST_P(ControlBehaviour, TheFirstShowRaisesResizeThenActivateOnce) {
    this->Record(this->form->LoadEvent, "Load");
    this->Record(this->form->Resize, "Resize");
    this->Record(this->form->Activate, "Activate");
    this->form->Load();
    this->set.Show(*this->form);
    this->set.Show(*this->form);
    EXPECT_EQ(this->log, (std::vector<std::string>{"Load", "Resize", "Activate"}));
}

TYPED_TEST_P(ControlBehaviour, SizingTheFormRaisesResizeOnlyWhenTheSizeChanges) {
    this->Record(this->form->Resize, "Resize");
    const float height = this->form->Height();
    this->form->SetHeight(height + 150);
    EXPECT_TRUE(this->log.empty()) << "not before the first show";
    this->set.Show(*this->form);
    this->log.clear();

    this->form->SetHeight(height + 450);
    ASSERT_EQ(this->log.size(), 1u) << "raised before SetHeight returned";
    EXPECT_FLOAT_EQ(this->form->Height(), height + 450);
    this->form->SetHeight(height + 450);
    this->form->SetWidth(this->form->Width());
    EXPECT_EQ(this->log.size(), 1u);

    const float width = this->form->Width();
    this->set.ResizeByUser(*this->form, width + 300, height + 300);
    EXPECT_EQ(this->log.size(), 2u);
    EXPECT_FLOAT_EQ(this->form->Width(), width + 300);
    EXPECT_FLOAT_EQ(this->form->Height(), height + 300);
}

TYPED_TEST_P(ControlBehaviour, UnloadRaisesUnloadOnceAndTheUsersCloseUnloads) {
    this->Record(this->form->UnloadEvent, "Unload");
    this->set.Show(*this->form);
    this->set.CloseByUser(*this->form);
    EXPECT_FALSE(this->form->IsLoaded());
    this->form->Unload();
    EXPECT_EQ(this->log, std::vector<std::string>{"Unload"});
}

TYPED_TEST_P(ControlBehaviour, AModalFormHoldsItsOwnerUntilItIsUnloaded) {
    auto modal = this->set.Forms().Create(BehaviourFormDescription());
    this->set.Show(*this->form);
    bool ownerEnabledWhileModal = true;
    bool ran = false;
    this->set.WhileModal(*modal, [&] {
        ran = true;
        ownerEnabledWhileModal = this->form->Enabled();
        modal->Unload();
    });
    modal->Load();
    modal->ShowModal(*this->form);
    EXPECT_TRUE(ran) << "ShowModal returned only after the user's actions";
    EXPECT_FALSE(ownerEnabledWhileModal);
    EXPECT_FALSE(modal->IsLoaded());
    EXPECT_TRUE(this->form->Enabled());
}

TYPED_TEST_P(ControlBehaviour, ALoadStepThatUnloadsTheFormEndsTheShow) {
    this->Record(this->form->LoadEvent, "Load");
    this->Record(this->form->Resize, "Resize");
    this->Record(this->form->Activate, "Activate");
    auto unloadOnLoad = this->form->LoadEvent.Connect([this] { this->form->Unload(); });
    this->form->Show();  // not through the set: no window is to come up
    this->set.Settle();
    EXPECT_FALSE(this->form->IsLoaded());
    EXPECT_FALSE(this->form->Visible());
    EXPECT_EQ(this->log, std::vector<std::string>{"Load"});
}

TYPED_TEST_P(ControlBehaviour, ASizeSetWhileMinimisedRaises384AndChangesNothing) {
    this->Record(this->form->Resize, "Resize");
    this->set.Show(*this->form);
    const float width = this->form->Width();
    this->set.SetMinimizedByUser(*this->form, true);
    this->log.clear();
    for (bool height : {false, true}) {
        try {
            if (height) this->form->SetHeight(this->form->Height() + 300);
            else this->form->SetWidth(width + 300);
            ADD_FAILURE() << "no error for a size set while minimised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), 384);
        }
    }
    EXPECT_TRUE(this->log.empty()) << "no Resize for a refused size";
    this->set.SetMinimizedByUser(*this->form, false);
    EXPECT_FLOAT_EQ(this->form->Width(), width);
}

// The owner stays locked while the modal form is up, whatever it is told meanwhile; afterwards
// it has the enabled state it was last given (its earlier one when nobody changed it).
TYPED_TEST_P(ControlBehaviour, AfterAModalFormTheOwnerKeepsTheEnabledStateItWasGiven) {
    struct Case {
        bool before;
        std::optional<bool> setWhileModal;
        bool after;
    };
    for (const Case c : {Case{true, {}, true}, Case{false, {}, false}, Case{false, true, true}, Case{true, false, false}}) {
        auto modal = this->set.Forms().Create(BehaviourFormDescription());
        this->set.Show(*this->form);
        this->form->SetEnabled(c.before);
        bool lockedWhileModal = false;
        this->set.WhileModal(*modal, [&] {
            if (c.setWhileModal) this->form->SetEnabled(*c.setWhileModal);
            lockedWhileModal = !this->form->Enabled();
        });
        modal->ShowModal(*this->form);
        EXPECT_TRUE(lockedWhileModal);
        EXPECT_EQ(this->form->Enabled(), c.after) << "before " << c.before;
        this->form->SetEnabled(true);
    }
}

TYPED_TEST_P(ControlBehaviour, AFormWithAModalChildOpenCannotBeClosed) {
    this->Record(this->form->UnloadEvent, "Unload");
    auto modal = this->set.Forms().Create(BehaviourFormDescription());
    this->set.Show(*this->form);
    bool stayedAfterClose = false, stayedAfterUnload = false;
    this->set.WhileModal(*modal, [&] {
        this->set.CloseByUser(*this->form);
        stayedAfterClose = this->form->IsLoaded() && this->form->Visible();
        this->form->Unload();
        stayedAfterUnload = this->form->IsLoaded();
    });
    modal->ShowModal(*this->form);
    EXPECT_TRUE(stayedAfterClose);
    EXPECT_TRUE(stayedAfterUnload);
    EXPECT_TRUE(this->log.empty());
    this->set.CloseByUser(*this->form);
    EXPECT_FALSE(this->form->IsLoaded()) << "closes once the modal form is gone";
}

// A close that arrives while one of the form's handlers runs, or a handler that one of them
// raised, waits until the outermost has returned.
TYPED_TEST_P(ControlBehaviour, ACloseWhileAHandlerRunsIsCarriedOutWhenItReturns) {
    for (const bool inNestedHandler : {false, true}) {
        auto closing = this->set.Forms().Create(BehaviourFormDescription());
        std::vector<std::string> events;
        auto unload = closing->UnloadEvent.Connect([&] { events.push_back("Unload"); });
        bool stayedWhileHandling = false;
        auto close = [&] { this->set.CloseByUser(*closing); };
        auto change = closing->ConnectHandler(closing->TextBoxNamed(u"Txt_One").Change, close);
        auto click = closing->ConnectHandler(closing->PictureButtonNamed(u"Cmd_Go").Click, [&] {
            if (inNestedHandler) {
                closing->TextBoxNamed(u"Txt_One").SetText(u"閉じる");
            } else {
                close();
            }
            this->set.Settle();
            stayedWhileHandling = closing->IsLoaded() && closing->Visible() && events.empty();
        });
        this->set.Show(*closing);
        this->set.Press(closing->PictureButtonNamed(u"Cmd_Go"));
        EXPECT_TRUE(stayedWhileHandling) << "nested " << inNestedHandler;
        EXPECT_FALSE(closing->IsLoaded()) << "nested " << inNestedHandler;
        EXPECT_FALSE(closing->Visible()) << "nested " << inNestedHandler;
        EXPECT_EQ(events, std::vector<std::string>{"Unload"}) << "nested " << inNestedHandler;
    }
}

TYPED_TEST_P(ControlBehaviour, ControlsKeepTheirTwipsAndFlags) {
    platform::Control& label = this->form->ControlNamed(u"Lbl_Note");
    label.SetLeft(135.5f);
    label.SetWidth(1000.25f);
    EXPECT_FLOAT_EQ(label.Left(), 135.5f);
    EXPECT_FLOAT_EQ(label.Width(), 1000.25f);
    this->form->FrameNamed(u"Fra_Box").SetVisible(false);
    EXPECT_TRUE(label.Visible()) << "its own flag, whatever its frame does";
    label.SetVisible(false);
    EXPECT_FALSE(label.Visible());
    EXPECT_EQ(&this->form->ControlNamed(u"Frm_Behaviour"), this->form.get());
    EXPECT_EQ(this->form->LabelNamed(u"Lbl_Note").Caption(), u"ﾒﾓ");
    EXPECT_EQ(this->form->FrameNamed(u"Fra_Box").Caption(), u"枠");
}

TYPED_TEST_P(ControlBehaviour, AMissingNameOrAnotherKindRaisesError9) {
    for (const char16_t* name : {u"Txt_Nothing", u"Lst_Items"}) {
        try {
            this->form->TextBoxNamed(name);
            ADD_FAILURE() << "no error for a text box named so";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), 9);
        }
    }
}

TYPED_TEST_P(ControlBehaviour, TheProgramPutsASelectionAndTheScrollPositionBackWithoutClick) {
    this->Record(this->items.Click, "Click");
    this->form->Load();
    for (char16_t i = 1; i <= 40; ++i)
        this->items.AddItem(u"Sheet" + std::u16string{static_cast<char16_t>(u'0' + i / 10), static_cast<char16_t>(u'0' + i % 10)});
    this->set.Show(*this->form);
    EXPECT_EQ(this->items.TopIndex(), 0);
    this->items.SetTopIndex(12);
    EXPECT_EQ(this->items.TopIndex(), 12);
    this->items.SetListIndexQuietly(30);
    EXPECT_EQ(this->items.ListIndex(), 30);
    EXPECT_EQ(this->items.Text(), u"Sheet31");
    EXPECT_EQ(this->items.TopIndex(), 12) << "the list stays where the user left it";
    this->items.SetListIndexQuietly(-1);
    EXPECT_EQ(this->items.ListIndex(), -1);
    EXPECT_THROW(this->items.SetListIndexQuietly(40), RuntimeError);
    EXPECT_TRUE(this->log.empty()) << "the program's own selection is no Click";

    this->items.SetTopIndex(1000);
    EXPECT_GT(this->items.TopIndex(), 12) << "as far as the list scrolls";
    EXPECT_LE(this->items.TopIndex(), 39);
    this->items.Clear();
    EXPECT_EQ(this->items.TopIndex(), 0);
}

TYPED_TEST_P(ControlBehaviour, ComingBackFromAnotherApplicationRaisesWindowActivatedOnly) {
    this->form->Load();
    this->set.Show(*this->form);
    this->Record(this->form->Activate, "Activate");
    this->Record(this->form->WindowActivated, "WindowActivated");
    this->set.ActivateFromAnotherApplication(*this->form);
    EXPECT_EQ(this->log, std::vector<std::string>{"WindowActivated"})
        << "Activate follows only a change between the program's own forms";
}

REGISTER_TYPED_TEST_SUITE_P(ControlBehaviour, ChangeFollowsARealChangeInsideTheAssignment,
                            MultiLineTextSeparatesLinesWithCrLf, SelStartClampsAndCollapsesTheSelection,
                            KeyDownCarriesWindowsKeyCodesAndTheShiftState, AKeySetToZeroNeverReachesTheBox,
                            ACancelledValidateKeepsTheFocus, DoubleClicksReachTextBoxesAndLists,
                            EveryAssignmentOfTheListIndexRaisesClick, TheUsersClickSelectsAndRaisesClick,
                            ClearEmptiesTheListWithoutClick, DroppedFilesArriveInOrder,
                            ADropWithoutFilesArrivesAsAnEmptyList,
                            OnlyAnEnabledButtonClicks, TheFirstShowRaisesResizeThenActivateOnce,
                            SizingTheFormRaisesResizeOnlyWhenTheSizeChanges,
                            UnloadRaisesUnloadOnceAndTheUsersCloseUnloads,
                            AModalFormHoldsItsOwnerUntilItIsUnloaded, ALoadStepThatUnloadsTheFormEndsTheShow,
                            ASizeSetWhileMinimisedRaises384AndChangesNothing,
                            AfterAModalFormTheOwnerKeepsTheEnabledStateItWasGiven,
                            AFormWithAModalChildOpenCannotBeClosed,
                            ACloseWhileAHandlerRunsIsCarriedOutWhenItReturns, ControlsKeepTheirTwipsAndFlags,
                            AMissingNameOrAnotherKindRaisesError9,
                            TheProgramPutsASelectionAndTheScrollPositionBackWithoutClick,
                            ComingBackFromAnotherApplicationRaisesWindowActivatedOnly);

}  // namespace tabora::test
