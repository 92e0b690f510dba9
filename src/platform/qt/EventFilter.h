#pragma once
// An event filter made of a function, for watching a widget without subclassing it. An error
// that leaves the function is reported, as at every place where Qt hands the program an event.

#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

#include "app/ErrorTrap.h"

namespace tabora::platform::qt {

class EventFilter : public QObject {
public:
    // filter returns true to stop the event.
    explicit EventFilter(std::function<bool(QObject*, QEvent*)> filter) : filter_(std::move(filter)) {}

    // Watches object until either is destroyed.
    void Watch(QObject* object) { object->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        bool stop = false;
        ReportErrorsAtEventBoundary([&] { stop = filter_(watched, event); });
        return stop;
    }

private:
    std::function<bool(QObject*, QEvent*)> filter_;
};

}  // namespace tabora::platform::qt
