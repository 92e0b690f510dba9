#pragma once
// A widget as a drop target: every drag is welcome, and the drop hands over the dropped files,
// in order, or an empty list when the drag carried none (dragged text, say).

#include <QMimeData>
#include <QWidget>
#include <functional>

#include "platform/Controls.h"
#include "platform/qt/EventFilter.h"

namespace tabora::platform::qt {

// The local files among the data's URLs, in order.
DroppedFiles LocalFilesOf(const QMimeData& data);

class FileDropTarget {
public:
    // onDrop runs just after the drop, once the drag source has been answered, so that a slow
    // handler (an office starting) does not hold up the program the files came from.
    FileDropTarget(QWidget* target, std::function<void(const DroppedFiles&)> onDrop);

private:
    bool Filter(QEvent* event);

    std::function<void(const DroppedFiles&)> onDrop_;
    EventFilter filter_;
};

}  // namespace tabora::platform::qt
