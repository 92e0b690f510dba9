#pragma once
// An event filter made of a function, for watching a widget without subclassing it.

#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

namespace tabora::platform::qt {

class EventFilter : public QObject {
public:
    // filter returns true to stop the event.
    explicit EventFilter(std::function<bool(QObject*, QEvent*)> filter) : filter_(std::move(filter)) {}

    // Watches object until either is destroyed.
    void Watch(QObject* object) { object->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return filter_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> filter_;
};

}  // namespace tabora::platform::qt
