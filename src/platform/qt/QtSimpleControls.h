#pragma once
// Labels, frames and picture buttons.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/Controls.h"
#include "platform/qt/EventFilter.h"
#include "platform/qt/QtControl.h"

namespace tabora::platform::qt {

// A label: plain text from the top left, wrapped at words; transparent or with its own colour.
class QtLabel : public QtControl<Label> {
public:
    QtLabel(const ControlDescription& d, QWidget* parent);
    std::u16string Caption() const override { return ToU16(label_->text()); }
    void SetCaption(const std::u16string& caption) override { label_->setText(ToQString(caption)); }
    // For a label described as covered: screen readers skip it while cover shows.
    void CoverWith(QWidget* cover);

private:
    QtLabel(const ControlDescription& d, QLabel* label);
    QLabel* label_;
};

class FrameWidget;

// A frame: an etched box with its caption in the top border, as a Windows group box draws it;
// it contains the controls that name it as their container.
class QtFrame : public QtControl<Frame> {
public:
    QtFrame(const ControlDescription& d, QWidget* parent);
    std::u16string Caption() const override;
    void SetCaption(const std::u16string& caption) override;

private:
    QtFrame(const ControlDescription& d, FrameWidget* box);
    FrameWidget* box_;
};

// A button that shows only its picture. Click follows a mouse click, Space, or Enter while it
// has the focus; a disabled button shows its picture greyed and takes no click.
class QtPictureButton : public QtControl<PictureButton> {
public:
    QtPictureButton(const ControlDescription& d, QWidget* parent);

private:
    QtPictureButton(const ControlDescription& d, QPushButton* button);
    QPushButton* button_;
    QObject context_;
    EventFilter enterKey_;
};

}  // namespace tabora::platform::qt
