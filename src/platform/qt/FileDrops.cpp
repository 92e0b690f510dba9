#include "platform/qt/FileDrops.h"

#include <QDropEvent>
#include <QUrl>

#include "app/ErrorTrap.h"
#include "platform/qt/QtStrings.h"

namespace tabora::platform::qt {

DroppedFiles LocalFilesOf(const QMimeData& data) {
    DroppedFiles files;
    if (!data.hasUrls()) return files;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) files.push_back(ToU16(url.toLocalFile()));
    }
    return files;
}

FileDropTarget::FileDropTarget(QWidget* target, std::function<void(const DroppedFiles&)> onDrop)
    : onDrop_(std::move(onDrop)), filter_([this](QObject*, QEvent* event) { return Filter(event); }) {
    target->setAcceptDrops(true);
    filter_.Watch(target);
}

bool FileDropTarget::Filter(QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::DragLeave:
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            DroppedFiles files =
                drop->mimeData() != nullptr ? LocalFilesOf(*drop->mimeData()) : DroppedFiles{};
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            QMetaObject::invokeMethod(
                &filter_, [this, files = std::move(files)] { ReportErrorsAtEventBoundary([&] { onDrop_(files); }); }, Qt::QueuedConnection);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tabora::platform::qt
