#pragma once
// The sheet list window on headless controls and the in-memory Excel, driven as a user would.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"
#include "support/HeadlessForms.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "windows/Frm_Test.h"

namespace tabora::test {

class WindowFixture : public ::testing::Test {
protected:
    static constexpr int16_t kEnter = 13;

    void SetUp() override {
        window = std::make_unique<windows::Frm_Test>(windows::WindowServices{forms, excel});
        window->Show();
    }

    HeadlessForm& Form() { return *forms.Last(u"Frm_Test"); }
    HeadlessTextBox& Path() { return Form().TextBox(u"Txt_Path"); }
    HeadlessTextBox& SheetName() { return Form().TextBox(u"Txt_SheetName"); }
    HeadlessListBox& List() { return Form().List(u"Lst_Item"); }
    HeadlessPictureButton& Button(const std::u16string& name) { return Form().Button(name); }

    std::u16string MakeFile(const std::vector<std::u16string>& names, const std::u16string& file = u"Book.xls") {
        std::vector<FixtureSheet> sheets;
        for (const auto& name : names) sheets.push_back({name, false, {}});
        const std::u16string path = folder.File(file);
        WriteWorkbookFile(path, sheets);
        return path;
    }
    // Types a path and presses the open button, as the user does.
    void Load(const std::vector<std::u16string>& names, const std::u16string& file = u"Book.xls") {
        Path().SetText(MakeFile(names, file));
        Button(u"Cmd_Get").Press();
    }
    // The instance of the latest load.
    FakeInstance& Latest() { return excel.Instance(excel.InstanceCount()); }
    std::u16string ActiveSheet() { return Latest().ActiveWorkbook()->activeSheet->name; }
    // Replaces the name box's text the way typing it would: each key is pressed (KeyDown with
    // its virtual-key code; 229 for what the input method composes), then typed.
    void TypeName(const std::u16string& text) {
        SheetName().Select(0, static_cast<int32_t>(SheetName().Text().size()));
        if (text.empty()) {
            SheetName().PressKey(8);
            SheetName().Backspace();
        }
        for (char16_t c : text) {
            const char16_t upper = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
            const bool plain = (upper >= u'A' && upper <= u'Z') || (upper >= u'0' && upper <= u'9');
            SheetName().PressKey(plain ? static_cast<int16_t>(upper) : int16_t{229});
            SheetName().Type(std::u16string(1, c));
        }
    }
    const std::vector<ShownBox>& Boxes() { return runtime.boxes.Shown(); }

    TestRuntime runtime;
    TempDir folder;
    FakeExcel excel;
    HeadlessFormFactory forms;
    std::unique_ptr<windows::Frm_Test> window;
};

using Names = std::vector<std::u16string>;

}  // namespace tabora::test
