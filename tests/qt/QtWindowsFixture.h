#pragma once
// The program's two windows on Qt, with scripted message boxes, the real yield and the server of
// a system without the office.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>

#include "desktop/UnavailableAutomationServer.h"
#include "platform/Runtime.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtForm.h"
#include "support/ScriptedMessageBox.h"
#include "windows/Frm_Test.h"

namespace tabora::test {

class QtWindowsFixture : public ::testing::Test {
protected:
    ~QtWindowsFixture() override { QCoreApplication::processEvents(); }

    platform::qt::QtForm& MainForm() { return dynamic_cast<platform::qt::QtForm&>(frmTest->Form()); }
    QWidget* MainWidget(const char16_t* name) { return MainForm().WidgetNamed(name); }
    void ShowMain() {
        frmTest->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm().Window()));
        QApplication::setActiveWindow(MainForm().Window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm().Window()));
    }

    ScriptedMessageBox boxes;
    platform::qt::QtEventLoop events;
    platform::ScopedRuntime runtime{{.messageBox = &boxes, .events = &events}};
    platform::qt::QtFormFactory forms;
    desktop::UnavailableAutomationServer server;
    std::unique_ptr<windows::Frm_Test> frmTest =
        std::make_unique<windows::Frm_Test>(windows::WindowServices{forms, server});
};

}  // namespace tabora::test
