#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>

namespace tabora::platform::qt {

void QtEventLoop::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void PostToEventLoop(std::function<void()> call) {
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(call), Qt::QueuedConnection);
}

}  // namespace tabora::platform::qt
