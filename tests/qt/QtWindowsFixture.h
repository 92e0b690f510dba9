#pragma once
// The program's two windows on Qt with the in-memory Excel, scripted message boxes, the real
// yield and the real file system.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "desktop/linux/UnavailableAutomationServer.h"
#include "platform/Runtime.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtForm.h"
#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "windows/Frm_Test.h"

namespace tabora::test {

class QtWindowsFixture : public ::testing::Test {
protected:
    // withOffice false: the server of a system without the office, which refuses every object.
    explicit QtWindowsFixture(bool withOffice = true)
        : frmTest(std::make_unique<windows::Frm_Test>(windows::WindowServices{
              forms, withOffice ? static_cast<AutomationServer&>(excel) : noOffice})) {}
    ~QtWindowsFixture() override { QCoreApplication::processEvents(); }

    platform::qt::QtForm& MainForm() { return dynamic_cast<platform::qt::QtForm&>(frmTest->Form()); }
    QWidget* MainWidget(const char16_t* name) { return MainForm().WidgetNamed(name); }
    void ShowMain() {
        frmTest->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm().Window()));
        QApplication::setActiveWindow(MainForm().Window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm().Window()));
    }
    std::u16string MakeWorkbook(const std::vector<std::u16string>& names,
                                const std::u16string& file = u"Book.xls") {
        std::vector<FixtureSheet> sheets;
        for (const auto& name : names) sheets.push_back({name, false, {}});
        const std::u16string path = folder.File(file);
        WriteWorkbookFile(path, sheets);
        return path;
    }
    // The workbook of the latest load, as the in-memory Excel holds it.
    FakeWorkbook& Workbook() { return *excel.Instance(excel.InstanceCount()).ActiveWorkbook(); }

    ScriptedMessageBox boxes;
    platform::qt::QtEventLoop events;
    platform::posix::PosixFileSystem files;
    platform::ScopedRuntime runtime{{.messageBox = &boxes, .events = &events, .files = &files}};
    TempDir folder;
    FakeExcel excel;
    desktop::UnavailableAutomationServer noOffice;
    platform::qt::QtFormFactory forms;
    std::unique_ptr<windows::Frm_Test> frmTest;
};

}  // namespace tabora::test
