#include "platform/qt/QtListBox.h"

#include <QStyledItemDelegate>
#include <algorithm>

#include "app/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/ScopeExit.h"

namespace tabora::platform::qt {

namespace {
// Rows a little taller than the font's own line: the Gothic faces put "_" on the last pixel
// row of the line, where the next row's background would paint over it.
class RowWithRoomForUnderscores : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2);
    }
};

// As a Windows single-selection list box: a click or Ctrl+Space selects, never clears.
class SingleSelectionList : public QListWidget {
public:
    explicit SingleSelectionList(QWidget* parent) : QListWidget(parent) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformItemSizes(true);
        setItemDelegate(new RowWithRoomForUnderscores(this));
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
        if (index.isValid() && (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))) {
            return QItemSelectionModel::ClearAndSelect;
        }
        return flags;
    }
};

// While the program changes the selection, the list's own notifications are not the user's.
auto SettingIndex(bool& flag) {
    flag = true;
    return ScopeExit([&flag] { flag = false; });
}
}  // namespace

QtListBox::QtListBox(const ControlDescription& d, QWidget* parent)
    : QtListBox(d, new SingleSelectionList(parent)) {}

QtListBox::QtListBox(const ControlDescription& d, QListWidget* list)
    : QtControl(d, list), list_(list), pressWatch_([this](QObject*, QEvent* event) {
          if (event->type() == QEvent::MouseButtonPress) selectionChangedByPress_ = false;
          return false;
      }) {
    pressWatch_.Watch(list_->viewport());
    QObject::connect(list_, &QListWidget::itemSelectionChanged, &context_, [this] {
        selectionChangedByPress_ = true;
        if (!settingIndex_) ReportErrorsAtEventBoundary([this] { Click.Raise(); });
    });
    // Qt says nothing when the entry pressed is the one selected already; Windows raises Click.
    QObject::connect(list_, &QAbstractItemView::pressed, &context_, [this](const QModelIndex& index) {
        if (!selectionChangedByPress_ && index.isValid() && list_->currentRow() == index.row())
            ReportErrorsAtEventBoundary([this] { Click.Raise(); });
    });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, &context_, [this] { ReportErrorsAtEventBoundary([this] { DblClick.Raise(); }); });
    if (d.acceptsDroppedFiles) {
        drops_ = std::make_unique<FileDropTarget>(
            list_->viewport(), [this](const DroppedFiles& files) { FilesDropped.Raise(files); });
    }
}

void QtListBox::Clear() {
    const auto setting = SettingIndex(settingIndex_);
    list_->clear();
}

void QtListBox::AddItem(const std::u16string& item) {
    const auto setting = SettingIndex(settingIndex_);
    list_->addItem(ToQString(item));
}

std::u16string QtListBox::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return ToU16(list_->item(index)->text());
}

int32_t QtListBox::ListIndex() const {
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

std::u16string QtListBox::Text() const {
    const int32_t index = ListIndex();
    return index < 0 ? std::u16string() : List(index);
}

int32_t QtListBox::TopIndex() const {
    const QModelIndex top = list_->indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : 0;
}

void QtListBox::SetTopIndex(int32_t index) {
    if (ListCount() == 0) return;
    list_->scrollToItem(list_->item(std::clamp(index, 0, ListCount() - 1)), QAbstractItemView::PositionAtTop);
}

void QtListBox::SelectEntry(int32_t index) {
    const auto setting = SettingIndex(settingIndex_);
    if (index < 0) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    } else {
        list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        list_->scrollToItem(list_->item(index));
    }
}

}  // namespace tabora::platform::qt
