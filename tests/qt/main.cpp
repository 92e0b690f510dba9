// The Qt tests run in one QApplication, on the offscreen platform unless another is asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/QtDesktop.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tabora::platform::qt::PrepareApplication(u"tabora");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
