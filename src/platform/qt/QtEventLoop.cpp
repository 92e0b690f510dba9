#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>

namespace tabora::platform::qt {

void QtEventLoop::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace tabora::platform::qt
