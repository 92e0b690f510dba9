#pragma once
// What Qt's own accessible interfaces cannot tell a screen reader about the forms: the role of a
// form's window, and labels it must not announce. Such widgets make their interface themselves.

#include <QAccessibleInterface>

namespace tabora::platform::qt {

class MakesOwnAccessible {
public:
    virtual ~MakesOwnAccessible() = default;
    // nullptr: Qt's own interface for the widget's class.
    virtual QAccessibleInterface* MakeAccessible() = 0;
};

// Lets such widgets answer; once per process, after the application object exists.
void InstallAccessibleFactory();

}  // namespace tabora::platform::qt
