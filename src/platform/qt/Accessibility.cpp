#include "platform/qt/Accessibility.h"

#include <QAccessible>

namespace tabora::platform::qt {

namespace {
// Asked before Qt's own factory, which was installed first.
QAccessibleInterface* AskTheWidget(const QString& /*className*/, QObject* object) {
    auto* widget = dynamic_cast<MakesOwnAccessible*>(object);
    return widget != nullptr ? widget->MakeAccessible() : nullptr;
}
}  // namespace

void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&AskTheWidget);
        return true;
    }();
    (void)installed;
}

}  // namespace tabora::platform::qt
